#include "frmSplash.h"

#include <QTimer>
#include <chrono>

#include "ui_frmSplash.h"

namespace quoravel {

frmSplash::frmSplash(WindowContext& context, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::frmSplash>()) {
    ui_->setupUi(this);
    ui_->lblVersion->setText(QString::fromStdString("Version " + context.process.VersionText));
    // Counted from now: the splash is shown as soon as it is made.
    QTimer::singleShot(std::chrono::seconds(1), this, [this] {
        secondUp_ = true;
        CloseWhenDone();
    });
}

frmSplash::~frmSplash() = default;

void frmSplash::MainWindowReady() {
    mainReady_ = true;
    CloseWhenDone();
}

void frmSplash::CloseWhenDone() {
    if (secondUp_ && mainReady_) close();
}

}  // namespace quoravel
