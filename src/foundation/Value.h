#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "Date.h"

namespace quoravel {

// A general value as the settings files and the stored records hand it out:
// empty, a boolean, a whole number, a double, a text or a date. Its text form
// is the one written to files ("True", "55", "5.5", "m/d/yyyy").
class Value {
public:
    Value() = default;
    Value(bool b) : v_(b) {}
    Value(int i) : v_(static_cast<std::int64_t>(i)) {}
    Value(std::int64_t i) : v_(i) {}
    Value(double d) : v_(d) {}
    Value(Date d) : v_(d) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}

    bool IsEmpty() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsBool() const { return std::holds_alternative<bool>(v_); }
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    bool IsDate() const { return std::holds_alternative<Date>(v_); }
    bool IsNumber() const {
        return std::holds_alternative<std::int64_t>(v_) || std::holds_alternative<double>(v_);
    }

    // The number held; 0 for an empty value or anything that is not a number.
    double Number() const;
    bool Bool() const { return IsBool() && std::get<bool>(v_); }
    Date AsDate() const { return IsDate() ? std::get<Date>(v_) : Date(); }
    std::string Text() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, Date> v_;
};

// The text form of a number: at most 15 significant digits, no trailing zeros,
// "." as the decimal separator whatever the user's locale.
std::string NumberText(double value);

}  // namespace quoravel
