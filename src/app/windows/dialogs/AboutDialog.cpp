#include "AboutDialog.h"

#include "ui_AboutDialog.h"

namespace quoravel {

AboutDialog::AboutDialog(WindowContext& context, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::AboutDialog>()) {
    ui_->setupUi(this);
    ui_->lblVersion->setText(QString::fromStdString("Version " + context.process.VersionText));
}

AboutDialog::~AboutDialog() = default;

}  // namespace quoravel
