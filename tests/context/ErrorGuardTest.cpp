#include "context/ErrorGuard.h"

#include <gtest/gtest.h>

#include <QObject>
#include <memory>
#include <stdexcept>

#include "settings/StoreError.h"
#include "support/TestDoubles.h"

namespace {

// The general error handler: the store's own text, or the error's, in an
// error box; the handler is left and nothing else happens.
TEST(ErrorGuard, AnErrorAbandonsTheHandlerAndIsShown) {
    ScriptedDialogs dialogs;
    const ErrorGuard guard(dialogs);
    int reached = 0;
    guard.run([&] {
        throw StoreError::invalidType(QStringLiteral("Time"));
        ++reached;
    });
    guard.run([&] { throw std::runtime_error("the file is gone"); });
    guard.run([&] { ++reached; });
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Invalid data type for 'Time'"),
                                               QStringLiteral("the file is gone")}));
    EXPECT_EQ(dialogs.shown().front().detail, QStringLiteral("Error Ok"));

    // A connected handler runs through the guard as long as its context lives.
    auto context = std::make_unique<QObject>();
    QObject sender;
    guard.connect(&sender, &QObject::objectNameChanged, context.get(),
                  [] { throw std::runtime_error("from a signal"); });
    sender.setObjectName(QStringLiteral("a"));
    EXPECT_EQ(dialogs.messages().size(), 3);
    context.reset();
    sender.setObjectName(QStringLiteral("b"));
    EXPECT_EQ(dialogs.messages().size(), 3);
}

}  // namespace
