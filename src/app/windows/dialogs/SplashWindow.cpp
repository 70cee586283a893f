#include "SplashWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>
#include <chrono>

#include "ui_SplashWindow.h"

namespace quoravel {
namespace {

constexpr int kLongestWaitMs = 1000;
constexpr int kWaitStepMs = 20;

}  // namespace

SplashWindow::SplashWindow(WindowContext& context, QWidget* parent)
    // The main window is shown while the splash has its second: kept on top, the splash is not hidden by it.
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      ui_(std::make_unique<Ui::SplashWindow>()) {
    ui_->setupUi(this);
    ui_->lblVersion->setText(QString::fromStdString("Version " + context.process.VersionText));
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::ShowOnScreen() {
    show();
    // The desktop may take a while to put a new window on the screen; the
    // second is counted from when it is there and drawn.
    QElapsedTimer waited;
    waited.start();
    while (!(windowHandle() && windowHandle()->isExposed()) && waited.elapsed() < kLongestWaitMs)
        QApplication::processEvents(QEventLoop::AllEvents, kWaitStepMs);
    QApplication::processEvents();
    QTimer::singleShot(std::chrono::seconds(1), this, [this] {
        secondUp_ = true;
        CloseWhenDone();
    });
}

void SplashWindow::MainWindowReady() {
    mainReady_ = true;
    // A desktop that lets the newly shown main window cover it gets the splash put back over it.
    raise();
    CloseWhenDone();
}

void SplashWindow::CloseWhenDone() {
    if (secondUp_ && mainReady_) close();
}

}  // namespace quoravel
