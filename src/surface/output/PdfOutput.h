#pragma once

#include <string>

#include "DisplayList.h"
#include "TextFile.h"

namespace quoravel {

// Writes every page of the document to a PDF file of the document's page
// size, fonts embedded so the text can be searched and copied. An existing
// file is replaced; a failed write leaves the old file as it was. A document
// without pages gives one blank page.
void WritePdf(const Document& document, const std::string& path, Durability durability = Durability::Now);

}  // namespace quoravel
