#pragma once

#include <QDialog>
#include <memory>

#include "WindowContext.h"

namespace Ui {
class AboutDialog;
}

namespace quoravel {

// The about window: product name and version.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(WindowContext& context, QWidget* parent = nullptr);
    ~AboutDialog() override;

private:
    std::unique_ptr<Ui::AboutDialog> ui_;
};

}  // namespace quoravel
