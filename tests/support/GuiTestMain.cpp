#include <gtest/gtest.h>

#include <QGuiApplication>

#include "support/SkipReport.h"

// Picture tests draw text into images: that takes a QGuiApplication (offscreen
// under ctest), but no widgets.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return reportSkips(RUN_ALL_TESTS());
}
