#pragma once

#include <QWidget>
#include <memory>

#include "WindowContext.h"

namespace Ui {
class frmSplash;
}

namespace quoravel {

// The window shown while the main window loads: product name and version.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(WindowContext& context, QWidget* parent = nullptr);
    ~frmSplash() override;

private:
    std::unique_ptr<Ui::frmSplash> ui_;
};

}  // namespace quoravel
