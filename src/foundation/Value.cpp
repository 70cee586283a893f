#include "Value.h"

#include <charconv>
#include <cstring>

namespace quoravel {

std::string NumberText(double value) {
    if (value == 0) return "0";
    // As "%.15G" writes it in the C locale, whatever the process's locale.
    char buf[40];
    const auto written = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string text(buf, written.ptr);
    for (char& c : text) c = c == 'e' ? 'E' : c;
    // "%G" writes "1E+20"; drop a leading zero of the exponent ("1E+05" -> "1E+5")
    // so the text reads like every other number the system writes.
    if (auto e = text.find('E'); e != std::string::npos) {
        std::string mantissa = text.substr(0, e);
        std::string exponent = text.substr(e + 2);
        while (exponent.size() > 1 && exponent.front() == '0') exponent.erase(0, 1);
        text = mantissa + "E" + text[e + 1] + exponent;
    }
    return text;
}

double Value::Number() const {
    if (auto* i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v_)) return *d;
    return 0;
}

std::string Value::Text() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(std::int64_t i) const { return std::to_string(i); }
        std::string operator()(double d) const { return NumberText(d); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(Date d) const { return d.Text(); }
    };
    return std::visit(Visitor{}, v_);
}

}  // namespace quoravel
