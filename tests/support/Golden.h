#pragma once

#include <string>

#include "DisplayList.h"

// Compares a document's text — every text run with its page, position and
// font — with the golden file tests/documents/golden/<name>.txt, positions
// within a tolerance of 30 twips. On a difference (or when the golden file
// is missing) the actual text is written beside it as <name>.actual.txt and
// the differing lines are returned; "" when they agree. To accept a new
// golden, review the .actual.txt file and rename it.
std::string CompareWithGolden(const quoravel::Document& document, const std::string& name);

// Writes every page as <name>-<page>.png into the build tree's sample-pages
// folder, for a person to look at.
void WriteSamplePages(const quoravel::Document& document, const std::string& name);
