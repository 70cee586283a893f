#pragma once

#include <QString>
#include <string>

#include "DisplayList.h"

class QPrinter;

namespace quoravel {

// What the print service reports of a printer's queue before a job is sent.
struct PrinterQueue {
    bool acceptingJobs = true;
    bool stopped = false;
    std::string reasons;  // why, in the service's words ("paused"); "" when it gives none
};

// The queue of printer `name` ("name" or "name/instance"). A printer the
// service does not report, or no print service, reads as ready: the job
// itself then says what went wrong.
PrinterQueue PrinterQueueOf(const QString& name);

// Prints every page at the document's page size, from the paper's corner,
// scaled from twips to the printer's resolution. Raises RuntimeError when
// the printer cannot be used or the print service refuses the job.
void PrintDocument(const Document& document, QPrinter& printer);

}  // namespace quoravel
