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

bool AskPrinter(QPrinter& printer, QWidget* parent) {
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
    if (!choose(printer, parent)) return false;
    if (!printer.isValid()) {
        ShowPrintError(dialogs, parent, static_cast<int>(PrintError::CantAccessPrinter),
                       "The printer " + printer.printerName().toStdString() + " is not available.");
        return false;
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
