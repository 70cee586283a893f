#pragma once

#include <QString>
#include <functional>
#include <string>

#include "DisplayList.h"

class QPrinter;
class QWidget;

namespace quoravel {

class UserDialogs;

// What goes wrong while a proposal is printed or viewed.
enum class PrintError : int {
    CantOpenFile = 1,
    CantAccessPrinter = 3,
    CantStartPrintJob = 4,
    AlreadyPrinting = 6,
    DeviceIncapable = 7,
};

// "Error printing or viewing! " and the text of the code; a code without a
// text of its own is given as its number.
std::string PrintErrorText(int code);

// Shows the error of `code` with the details after it (when any).
void ShowPrintError(UserDialogs& dialogs, QWidget* parent, int code, const std::string& details);

// The user confirms or changes the printer; false when cancelled.
using ChoosePrinter = std::function<bool(QPrinter& printer, QWidget* parent)>;
// The platform's print dialog. Without any printer it would offer only a
// file, which Enter writes unasked: the user is told instead that there is
// no printer, and nothing is chosen.
bool AskPrinter(QPrinter& printer, QWidget* parent, UserDialogs& dialogs);

// The installed printer that "Device" of TVRN.ini names (compared without
// regard to case, as the setting is kept upper-cased); "" when none is
// installed under that name and the default printer is to be used.
QString ProposalPrinterName(const std::string& programFolder);

// Prints every page of the proposal on the proposal printer, or the default
// printer, after the user has confirmed it with `choose` (the platform's
// dialog when empty). The job is named after the document's title. False
// when cancelled or when printing failed, which the user is told: a printer
// whose queue is stopped or refuses jobs is not sent the job.
bool PrintProposal(QWidget* parent, const Document& document, const std::string& programFolder,
                   UserDialogs& dialogs, const ChoosePrinter& choose = {});

}  // namespace quoravel
