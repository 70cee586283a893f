#pragma once

#include <string>

#include "PrintSurface.h"
#include "ProcessValues.h"
#include "cClient.h"
#include "cCommision.h"

namespace quoravel {

// One proposal run for a case: removes the previous run's page files and
// relay answer from the relay folder, validates the case, lays out the report
// the options ask for (single product, face comparison or product
// comparison) on the surface and ends the document, which exports every page
// and writes the relay answer into the relay folder. False when no document
// was made (the reasons are in the process's error log).
bool CreateIllustration(PrintSurface& surface, cClient& client, const cCommision& commission,
                        ProcessValues& process, const std::string& relayFolder);

// Writes the surface's document as a PDF: folder (a separator added when
// missing) + name; an existing file is replaced. Raises a RuntimeError naming
// the path when it cannot be written.
void ConvertToPdf(const PrintSurface& surface, const std::string& folder,
                  const std::string& name = "illustration.pdf");

}  // namespace quoravel
