// The real message and input boxes, answered by keys as a user answers them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/ui/QtDialogs.h"

namespace {

// Acts on the modal box as soon as it is shown.
void whenShown(const std::function<void(QWidget&)>& act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            poll->stop();
            poll->deleteLater();
            act(*box);
        }
    });
    poll->start();
}

TEST(QtDialogsTest, EnterAnswersWithTheDefaultButton) {
    const struct {
        bool defaultNo;
        MessageButtons buttons;
        int enter;
    } cases[] = {
        {false, MessageButtons::YesNo, mrYes},
        {true, MessageButtons::YesNo, mrNo},
        {true, MessageButtons::OkCancel, mrCancel},
        {true, MessageButtons::Ok, mrOk},
    };
    QtDialogs dialogs;
    for (const auto& c : cases) {
        whenShown([](QWidget& box) { QTest::keyClick(&box, Qt::Key_Return); });
        const QString text = QStringLiteral("Delete everything?");
        const int answer =
            c.defaultNo ? dialogs.messageBoxDefaultNo(text, MessageKind::Confirmation, c.buttons)
                        : dialogs.messageBox(text, MessageKind::Confirmation, c.buttons);
        EXPECT_EQ(answer, c.enter) << c.defaultNo << ' ' << int(c.buttons);
    }
}

TEST(QtDialogsTest, ThePasswordIsMaskedWhileTyped) {
    QtDialogs dialogs;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    whenShown([&echo](QWidget& box) {
        auto* field = box.findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        echo = field->echoMode();
        QTest::keyClicks(field, QStringLiteral("Secret"));
        QTest::keyClick(field, Qt::Key_Return);
    });
    EXPECT_EQ(dialogs.passwordBox(QStringLiteral("Password Entry"),
                                  QStringLiteral("Please enter a password:")),
              QStringLiteral("Secret"));
    EXPECT_EQ(echo, QLineEdit::Password);
}

}  // namespace
