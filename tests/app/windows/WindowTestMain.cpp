#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <cstdlib>

#include "PrivateRuntimeFolder.h"

#include "TestSupport.h"

int main(int argc, char** argv) {
    // The windows are driven without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The per-user store goes to a scratch folder, never the user's own.
    TempFolder userSettings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(userSettings.folder()));
    // Listing and running the tests says nothing of a runtime folder.
    const quoravel::PrivateRuntimeFolder runtime;
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
