#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "WindowContext.h"

class QComboBox;

namespace Ui {
class OptionsDialog;
}

namespace quoravel {

// The options window: the state each carrier starts with, whether proposals
// keep their cases in the open case file, and whether printing goes through
// the PDF viewer.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(WindowContext& context, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // Writes all five settings; the window stays open.
    void Apply();
    // OK: writes all five settings and closes. Cancel (reject) writes nothing.
    void accept() override;

private:
    WindowContext& context_;
    std::unique_ptr<Ui::OptionsDialog> ui_;
    std::array<QComboBox*, 3> stateLists_{};  // by company index
};

}  // namespace quoravel
