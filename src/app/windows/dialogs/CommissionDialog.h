#pragma once

#include <QDialog>
#include <memory>

#include "CommissionSettings.h"
#include "WindowContext.h"

namespace Ui {
class CommissionDialog;
}

namespace quoravel {

// The commission settings window: the broker's first-year and renewal
// percentages of every commission row, written to TermComm.ini on OK.
class CommissionDialog : public QDialog {
    Q_OBJECT
public:
    CommissionDialog(WindowContext& context, CommissionSettings& commission, QWidget* parent = nullptr);
    ~CommissionDialog() override;

    // Stores the percentages and writes TermComm.ini; an entry that is not a
    // percentage within the row's limit is refused and the window stays open.
    void accept() override;

private:
    WindowContext& context_;
    CommissionSettings& commission_;
    std::unique_ptr<Ui::CommissionDialog> ui_;
};

}  // namespace quoravel
