#pragma once

#include "DisplayList.h"

class QPrinter;

namespace quoravel {

// Prints every page at the document's page size, from the paper's corner,
// scaled from twips to the printer's resolution.
void PrintDocument(const Document& document, QPrinter& printer);

}  // namespace quoravel
