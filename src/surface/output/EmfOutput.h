#pragma once

#include <string>

#include "DisplayList.h"

namespace quoravel {

// Writes the page as an Enhanced Metafile of the document's page size, one
// device unit per twip, that other programs can read: text placed character
// by character with its measured advances, rules, boxes and pictures. An
// existing file is replaced; a failed write leaves the old file as it was.
void WriteEmf(const Page& page, const Document& document, const std::string& path);

}  // namespace quoravel
