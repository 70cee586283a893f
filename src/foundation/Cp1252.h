#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quoravel {

// The system's text files are single-byte Windows-1252 on disk; inside the
// program text is UTF-8. These two convert at the file boundary.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters that Windows-1252 cannot hold are written as "?".
std::string Utf8ToCp1252(std::string_view text);
// The text in Windows-1252; nothing when it holds a character Windows-1252
// cannot, or is not well-formed UTF-8.
std::optional<std::string> Utf8ToCp1252Exactly(std::string_view text);

// The character of one Windows-1252 byte, and the byte of a character;
// nothing when Windows-1252 cannot hold the character.
char32_t Cp1252CodePoint(unsigned char byte);
std::optional<unsigned char> Cp1252Byte(char32_t character);

// True when the bytes are well-formed UTF-8 holding at least one character
// beyond ASCII: text that was not written in Windows-1252.
bool IsUtf8Text(std::string_view bytes);

}  // namespace quoravel
