#include "Printing.h"

#include <QPainter>
#include <QPrinter>

#include "PageRenderer.h"
#include "RuntimeError.h"

namespace quoravel {

void PrintDocument(const Document& document, QPrinter& printer) {
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(
        QSizeF(document.pageWidth / kTwipsPerPoint, document.pageHeight / kTwipsPerPoint), QPageSize::Point));
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, "PrintDocument",
                           "The printer " + printer.printerName().toStdString() + " cannot be used.");
    }
    for (std::size_t i = 0; i < document.pages.size(); ++i) {
        if (i > 0) printer.newPage();
        PaintPage(painter, document.pages[i], printer.resolution() / kTwipsPerInch);
    }
    painter.end();
}

}  // namespace quoravel
