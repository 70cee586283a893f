#include "frmAbout.h"

#include "ui_frmAbout.h"

namespace quoravel {

frmAbout::frmAbout(WindowContext& context, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmAbout>()) {
    ui_->setupUi(this);
    ui_->lblVersion->setText(QString::fromStdString("Version " + context.process.VersionText));
}

frmAbout::~frmAbout() = default;

}  // namespace quoravel
