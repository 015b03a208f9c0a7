#include <gtest/gtest.h>

#include <QStringList>
#include <stdexcept>

#include "context/ProgressThrottle.h"
#include "context/StatusLine.h"
#include "context/StatusProgress.h"

namespace {

// What a status bar was told, in order.
class RecordedStatus : public StatusLine {
public:
    void SetStatus(const QString& text) override { said << u"text " + text; }
    QString Status() const override { return {}; }
    void BeginProgress(qint64 total, const QString& caption) override {
        said << QString(u"begin " + caption + u' ' + QString::number(total)).simplified();
    }
    void StepProgress(qint64 done) override { said << u"step " + QString::number(done); }
    void EndProgress() override { said << QStringLiteral("end"); }
    QStringList said;
};

TEST(StatusProgressTest, ShowsItsTextAndCountsAndTakesTheBarAwayAlsoOnAnError) {
    RecordedStatus status;
    {
        StatusProgress progress(status, 3600 * 1000);
        progress.begin(QStringLiteral("Checking..."), 3);
        EXPECT_TRUE(progress.due());
        progress.show(1, QStringLiteral("Checking a..."));
        EXPECT_FALSE(progress.due());  // too soon to show again
        progress.step(2);
        progress.end(QStringLiteral("3 checked"));
        progress.end();  // once is enough
    }
    EXPECT_EQ(status.said, (QStringList{"text Checking...", "begin 3", "text Checking a...",
                                        "step 1", "end", "text 3 checked"}));

    status.said.clear();
    EXPECT_THROW(
        {
            StatusProgress progress(status);
            progress.begin(QStringLiteral("Walking..."), 0);
            throw std::runtime_error("disk gone");
        },
        std::runtime_error);
    EXPECT_EQ(status.said, (QStringList{"text Walking...", "begin 0", "end"}));
}

TEST(ProgressThrottleTest, TheFirstStepIsShownThenAtMostOncePerInterval) {
    ProgressThrottle hourly(3600 * 1000);
    EXPECT_TRUE(hourly.due());
    EXPECT_FALSE(hourly.due());
    EXPECT_FALSE(hourly.due());
    ProgressThrottle always(0);
    EXPECT_TRUE(always.due());
    EXPECT_TRUE(always.due());
}
}  // namespace
