#pragma once

#include <string>
#include <string_view>

#include "DisplayList.h"

namespace quoravel {

// Page document files (.vsv): a run of pages saved exactly as laid out, so
// they load back equal and can be drawn again by every output. The layout
// of the bytes is described in docs/page-files.md.

// The bytes of pages `firstPage` to `lastPage` (from 1, both included).
std::string EncodeVsv(const Document& document, int firstPage, int lastPage);
// The document held in `bytes`; `fileName` names the file in the error a
// damaged or truncated file raises.
Document DecodeVsv(std::string_view bytes, const std::string& fileName);

// Writes pages `firstPage` to `lastPage` (from 1); an existing file is
// replaced, and a failed write leaves the old file as it was.
void SaveVsv(const Document& document, int firstPage, int lastPage, const std::string& path);
Document LoadVsv(const std::string& path);
// Adds the file's pages after the document's: page files saved one page at
// a time make up a whole proposal again. An empty document takes the file's
// page size; a file of another page size is refused.
void AppendVsv(Document& document, const std::string& path);

}  // namespace quoravel
