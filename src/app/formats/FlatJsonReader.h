#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quoravel {

// One JSON object whose members are strings, numbers or arrays of those,
// read strictly: anything else (a nested object, true, false, null, text
// after the object, a bad escape or number) is refused with a message
// saying what and where. A number keeps its text as written; an array gives
// its name once per element.
struct FlatJson {
    std::vector<std::pair<std::string, std::string>> members;
    std::string problem;  // empty when read
};
FlatJson ReadFlatJson(std::string_view text);

}  // namespace quoravel
