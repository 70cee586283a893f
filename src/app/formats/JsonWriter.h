#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// Writes one JSON document, value by value: objects, arrays, strings (UTF-8,
// escaped as JSON wants), numbers given as their decimal text, and booleans.
class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the object member whose value comes next.
    void Key(std::string_view name);
    void String(std::string_view text);
    // A number already written as a decimal ("1234.50", "45").
    void Number(std::string_view decimal);
    void Bool(bool value);
    const std::string& Text() const { return text_; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);

    std::string text_;
    std::vector<bool> empty_;  // per open object or array: nothing in it yet
    bool afterKey_ = false;
};

}  // namespace quoravel
