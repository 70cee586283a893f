#pragma once

#include <QWidget>
#include <memory>

#include "WindowContext.h"

namespace Ui {
class SplashWindow;
}

namespace quoravel {

// The window shown while the main window loads: product name and version.
// It stays up for at least a second, long enough to be read, and closes
// when the main window is ready, whichever comes later.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit SplashWindow(WindowContext& context, QWidget* parent = nullptr);
    ~SplashWindow() override;

    // Shows the splash and waits (a second at most) until it is on the
    // screen; its second starts then.
    void ShowOnScreen();
    // The main window is shown: the splash closes once its second is up.
    void MainWindowReady();

private:
    void CloseWhenDone();

    std::unique_ptr<Ui::SplashWindow> ui_;
    bool secondUp_ = false;
    bool mainReady_ = false;
};

}  // namespace quoravel
