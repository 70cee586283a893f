#pragma once

#include <string>

#include "DisplayList.h"

// Compares a document's text with the golden file
// tests/documents/golden/<name>.txt: every line in reading order as
// "page alignment font | text" (alignment C for a line centred on the page,
// else "@" and where it begins in inches from the page's left edge; font
// size with b, i, u), reviewed once by a person.
// On a difference (or when the golden file is missing) the actual lines are
// written beside it as <name>.actual.txt and the differing lines returned;
// "" when they agree. `make goldens` rewrites every golden file from the
// current pages and shows what changed.
std::string CompareWithGolden(const quoravel::Document& document, const std::string& name);

// Writes every page as <name>-<page>.png into the build tree's sample-pages
// folder, for a person to look at.
void WriteSamplePages(const quoravel::Document& document, const std::string& name);
