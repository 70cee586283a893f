#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

#include "PrivateRuntimeFolder.h"

int main(int argc, char** argv) {
    // Pages are measured and painted without a display.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Listing and running the tests says nothing of a runtime folder.
    const quoravel::PrivateRuntimeFolder runtime;
    QGuiApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
