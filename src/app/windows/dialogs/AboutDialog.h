#pragma once

#include <QDialog>
#include <memory>

#include "WindowContext.h"

namespace Ui {
class frmAbout;
}

namespace quoravel {

// The about window: product name and version.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(WindowContext& context, QWidget* parent = nullptr);
    ~frmAbout() override;

private:
    std::unique_ptr<Ui::frmAbout> ui_;
};

}  // namespace quoravel
