#include "ProposalPrinting.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <array>
#include <utility>

#include "Printing.h"
#include "ProposalSetup.h"
#include "RuntimeError.h"
#include "UserDialogs.h"

namespace quoravel {
namespace {

constexpr std::array<std::pair<int, const char*>, 5> kErrorTexts{{
    {1, "Can't open file..."},
    {3, "Can't access printer..."},
    {4, "Can't start print job..."},
    {6, "Already printing..."},
    {7, "Device incapable..."},
}};

}  // namespace

std::string PrintErrorText(int code) {
    std::string text = "Error printing or viewing! ";
    for (const auto& [number, description] : kErrorTexts) {
        if (number == code) return text + description;
    }
    return text + std::to_string(code);
}

void ShowPrintError(UserDialogs& dialogs, QWidget* parent, int code, const std::string& details) {
    std::string text = PrintErrorText(code);
    if (!details.empty()) text += "\n\n" + details;
    dialogs.Show(parent, "Print Preview", text, MessageIcon::Exclamation);
}

bool AskPrinter(QPrinter& printer, QWidget* parent, UserDialogs& dialogs) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantAccessPrinter),
                       "No printer is set up on this computer. Print to PDF writes the proposal as a PDF "
                       "file.");
        return false;
    }
    QPrintDialog dialog(&printer, parent);
    // The whole proposal is printed: it is only complete with all its pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

QString ProposalPrinterName(const std::string& programFolder) {
    const QString device = QString::fromStdString(PrinterDeviceName(programFolder));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) {
        if (name.compare(device, Qt::CaseInsensitive) == 0) return name;
    }
    return {};
}

bool PrintProposal(QWidget* parent, const Document& document, const std::string& programFolder,
                   UserDialogs& dialogs, const ChoosePrinter& choose) {
    if (document.pages.empty()) return false;  // nothing to send: no empty print job
    QPrinter printer(QPrinter::HighResolution);
    const QString device = ProposalPrinterName(programFolder);
    if (!device.isEmpty()) printer.setPrinterName(device);
    // The job is known in the printer's queue by the proposal's name.
    printer.setDocName(QString::fromStdString(document.info.title));
    if (!(choose ? choose(printer, parent) : AskPrinter(printer, parent, dialogs))) return false;
    const std::string name = printer.printerName().toStdString();
    if (!printer.isValid()) {
        ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantAccessPrinter),
                       "The printer " + name + " is not available.");
        return false;
    }
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        // A stopped queue would hold the job unseen; one refusing jobs would drop it.
        const PrinterQueue queue = PrinterQueueOf(printer.printerName());
        const std::string reasons = queue.reasons.empty() ? "" : " (" + queue.reasons + ")";
        if (!queue.acceptingJobs) {
            ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantStartPrintJob),
                           "The printer " + name + " does not accept print jobs" + reasons + ".");
            return false;
        }
        if (queue.stopped) {
            ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantAccessPrinter),
                           "The printer " + name + " is stopped" + reasons + ".");
            return false;
        }
    }
    try {
        PrintDocument(document, printer);
    } catch (const RuntimeError& error) {
        ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantStartPrintJob), error.Description());
        return false;
    }
    return true;
}

}  // namespace quoravel
