#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// Text helpers of the file formats: blanks are spaces and tabs; case is
// folded for the ASCII letters, which is all that names and codes use.
std::string_view Trim(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
// `value` with `decimals` places after the point ("%.*f"), however many
// digits it takes before it: no amount is ever cut short.
std::string FixedText(double value, int decimals);
// The parts with `separator` between each two.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);

}  // namespace quoravel
