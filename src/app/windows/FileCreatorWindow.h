#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "WindowContext.h"

class QButtonGroup;

namespace Ui {
class FileCreatorWindow;
}

namespace quoravel {

struct RateType;

// The rate-file tool: builds the binary rate files from the actuaries' rate
// tables (written beside the program as "...New.rat", put in service by
// renaming) and converts level files of the old record layout.
class FileCreatorWindow : public QDialog {
    Q_OBJECT
public:
    explicit FileCreatorWindow(WindowContext& context, QWidget* parent = nullptr);
    ~FileCreatorWindow() override;

private:
    const RateType& SelectedType() const;
    void ShowRateNote();
    void ChooseInputFolder();
    void CreateRates();
    void ConvertRates();
    // A rate file chosen in the file dialog; "" when cancelled.
    std::string GetFileName(const std::string& title, bool forSaving);
    // The folder of the input tables; the program folder until one is given.
    std::string TablesFolder() const;
    // Runs a routine under the hourglass and shows its message, or the
    // errors it logged in place of one. A bad rate table is the actuary's to
    // correct here: it never ends the program.
    void Run(const std::function<std::string(ErrorLog&)>& routine);

    WindowContext& context_;
    std::unique_ptr<Ui::FileCreatorWindow> ui_;
    QButtonGroup* optRateType_;
};

}  // namespace quoravel
