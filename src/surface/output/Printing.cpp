#include "Printing.h"

#include <cups/cups.h>

#include <QPainter>
#include <QPrinter>

#include "PageRenderer.h"
#include "RuntimeError.h"

namespace quoravel {
namespace {

// The print service's refusal of the job Qt last sent from this thread; ""
// when taken. Qt hands a job to the service without looking at its answer,
// which the service keeps for the thread that asked.
std::string JobRefusal() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
    const char* text = cupsLastErrorString();
    return text ? text : "";
}

}  // namespace

PrinterQueue PrinterQueueOf(const QString& name) {
    PrinterQueue queue;
    const QByteArray printer = name.section('/', 0, 0).toUtf8();
    const QByteArray instance = name.section('/', 1).toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest) return queue;
    const auto option = [&](const char* key) {
        const char* value = cupsGetOption(key, dest->num_options, dest->options);
        return std::string(value ? value : "");
    };
    queue.acceptingJobs = option("printer-is-accepting-jobs") != "false";
    queue.stopped = option("printer-state") == std::to_string(IPP_PSTATE_STOPPED);
    queue.reasons = option("printer-state-reasons");
    if (queue.reasons == "none") queue.reasons.clear();
    cupsFreeDests(1, dest);
    return queue;
}

void PrintDocument(const Document& document, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(
        QSizeF(document.pageWidth / kTwipsPerPoint, document.pageHeight / kTwipsPerPoint), QPageSize::Point));
    const std::string name = printer.printerName().toStdString();
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "PrintDocument",
                           "The printer " + name + " cannot be used.");
    }
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0) printer.newPage();
        PaintPage(painter, document.pages[i], printer.resolution() / kTwipsPerInch);
    }
    if (!painter.end()) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "PrintDocument",
                           "The pages could not be sent to the printer " + name + ".");
    }
    // A file written is done; a job for a printer is only done once the service has taken it.
    if (printer.outputFormat() != QPrinter::NativeFormat) return;
    if (const std::string refusal = JobRefusal(); !refusal.empty()) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "PrintDocument",
                           "The print service did not take the job for the printer " + name + ": " + refusal);
    }
}

}  // namespace quoravel
