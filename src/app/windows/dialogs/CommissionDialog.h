#pragma once

#include <QDialog>
#include <memory>

#include "WindowContext.h"
#include "cCommision.h"

namespace Ui {
class frmCommission;
}

namespace quoravel {

// The commission settings window: the broker's first-year and renewal
// percentages of every commission row, written to TermComm.ini on OK.
class frmCommission : public QDialog {
    Q_OBJECT
public:
    frmCommission(WindowContext& context, cCommision& commission, QWidget* parent = nullptr);
    ~frmCommission() override;

    // Stores the percentages and writes TermComm.ini; an entry that is not a
    // percentage within the row's limit is refused and the window stays open.
    void accept() override;

private:
    WindowContext& context_;
    cCommision& commission_;
    std::unique_ptr<Ui::frmCommission> ui_;
};

}  // namespace quoravel
