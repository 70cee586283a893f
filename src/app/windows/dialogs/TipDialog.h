#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "WindowContext.h"

namespace Ui {
class TipDialog;
}

namespace quoravel {

// The tip of the day: one hint on using the program, from TIPOFDAY.TXT in
// the program folder, a different one each time it opens.
class TipDialog : public QDialog {
    Q_OBJECT
public:
    explicit TipDialog(WindowContext& context, QWidget* parent = nullptr);
    ~TipDialog() override;

    // Set by the menu command: the window opens even with tips at start-up off.
    bool ForceShow = false;

    // The window opens unless tips at start-up are off and it was not asked for.
    bool WouldShow() const;
    // The steps of opening: the check box from the setting, the tips file
    // loaded (or the explanation of its absence shown) and the next tip shown.
    void Open();
    // Opens the window modally when it would show.
    void ShowModal();

    // One tip per non-empty line; false when the file does not exist.
    bool LoadTips(const std::string& file);
    void DisplayCurrentTip();
    // The next tip, from the last back to the first; remembered as "LastTip".
    void NextTip();

    int CurrentTip() const { return currentTip_; }
    QString ShownText() const;

private:
    WindowContext& context_;
    std::unique_ptr<Ui::TipDialog> ui_;
    std::vector<QString> tips_;
    int currentTip_ = 1;  // 1-based
};

}  // namespace quoravel
