#include <gtest/gtest.h>

#include <QApplication>

#include "support/SkipReport.h"

// Window tests run inside one QApplication (offscreen under ctest).
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return reportSkips(RUN_ALL_TESTS());
}
