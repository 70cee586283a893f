#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quoravel {

// Text helpers of the file formats: blanks are spaces and tabs; case is
// folded for the ASCII letters, which is all that names and codes use.
std::string_view Trim(std::string_view text);
bool EqualNoCase(std::string_view a, std::string_view b);
std::string ToUpper(std::string_view text);
// The ASCII letters and digits, whatever the locale.
inline bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
// `value` with `decimals` places after the point ("%.*f"), however many
// digits it takes before it: no amount is ever cut short.
std::string FixedText(double value, int decimals);
// The parts with `separator` between each two.
std::string Join(const std::vector<std::string>& parts, std::string_view separator);
// The columns UTF-8 text takes on a terminal: one a character, whatever its
// bytes ("José" is 4), so that tables align by what is shown.
std::size_t DisplayWidth(std::string_view utf8);
// The text with blanks after it to `width` columns; longer text stays whole.
std::string PadRight(std::string_view utf8, std::size_t width);

}  // namespace quoravel
