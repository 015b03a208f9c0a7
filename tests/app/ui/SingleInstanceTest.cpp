#include "app/ui/SingleInstance.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <future>
#include <optional>

namespace {

using Claim = SingleInstance::Claim;

// A later start, in a thread of its own, as the running one answers on the
// event loop of this one.
std::future<Claim> startElsewhere(const QString& storeFile, int endWaitMs) {
    return std::async(std::launch::async, [storeFile, endWaitMs] {
        SingleInstance later(storeFile);
        return later.claim(5000, endWaitMs);
    });
}

Claim outcome(std::future<Claim>& later) {
    EXPECT_TRUE(QTest::qWaitFor(
        [&later] { return later.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
        60000));
    return later.get();
}

// A later start on the store brings the running window to the front; while
// that window closes, a later start waits for the run's end and then runs.
// A store of its own never waits for another.
TEST(SingleInstance, ALaterStartShowsTheRunningWindowOrWaitsForItsEnd) {
    QTemporaryDir dir;
    const QString store = dir.path() + u"/store/registry.sqlite";
    std::optional<SingleInstance> running(std::in_place, store);
    ASSERT_EQ(running->claim(), Claim::First);
    int raised = 0;
    running->onRaise([&raised] { return ++raised > 0; });

    std::future<Claim> shown = startElsewhere(store, 0);
    EXPECT_EQ(outcome(shown), Claim::OtherShown);
    EXPECT_EQ(raised, 1);

    SingleInstance beside(dir.path() + u"/other/registry.sqlite");
    EXPECT_EQ(beside.claim(0, 0), Claim::First);

    running->onRaise([] { return false; });  // its window is closing
    std::future<Claim> next = startElsewhere(store, 60000);
    QTimer::singleShot(300, [&running] { running.reset(); });
    EXPECT_EQ(outcome(next), Claim::First);
}

}  // namespace
