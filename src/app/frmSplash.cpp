#include "frmSplash.h"

#include "ui_frmSplash.h"

namespace quoravel {

frmSplash::frmSplash(WindowContext& context, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::frmSplash>()) {
    ui_->setupUi(this);
    ui_->lblVersion->setText(QString::fromStdString("Version " + context.process.VersionText));
}

frmSplash::~frmSplash() = default;

}  // namespace quoravel
