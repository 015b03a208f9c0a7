#include <gtest/gtest.h>

#include <QCoreApplication>

#include "support/SkipReport.h"

// Core tests see the program as brivanel-batch does: an event loop for
// processes and timers, and no window system at all.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return reportSkips(RUN_ALL_TESTS());
}
