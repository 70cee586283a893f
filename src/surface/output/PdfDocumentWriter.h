#pragma once

#include <optional>
#include <string>

#include "DisplayList.h"

namespace quoravel {

// The document as PDF bytes, written here object by object: the fonts and
// pictures come ready-made from the process's stores, so a document costs
// little more than its page descriptions. Nothing when a text holds a
// character Windows-1252 cannot hold or a font cannot be embedded; Qt's
// writer then takes the document.
std::optional<std::string> DirectPdf(const Document& document);

// A PDF text string: UTF-16BE with its byte-order mark, in hex.
std::string PdfTextString(const std::string& utf8);

}  // namespace quoravel
