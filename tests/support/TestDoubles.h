#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Joystick.h"
#include "platform/ProcessStarter.h"

// The stand-ins a test puts in place of the user, the clock, process starts
// and the joystick.

// Answers from a prepared queue and records every text shown; for tests.
// An empty queue answers as Enter does: with the default button's result
// (OK or Yes; No or Cancel for a box whose default is No).
class ScriptedDialogs : public Dialogs {
public:
    struct Answer {
        int result = mrOk;
        std::optional<QString> text;            // input box text or chosen file
        std::function<void(QObject&)> prepare;  // acts on a dialog before it "closes"
    };
    struct Shown {
        QString kind;  // "message", "input", "password", "open", "print", "dialog"
        QString text;  // message text, input prompt, file dialog title, dialog object name
        // For a message its kind and buttons ("Warning OkCancel").
        QString detail;
        // A message box whose default button is No (or Cancel).
        bool defaultNo = false;
    };

    void answer(int result) { answers_.push_back(Answer{result, std::nullopt, {}}); }
    void answerText(std::optional<QString> text, int result = mrOk) {
        answers_.push_back(Answer{result, std::move(text), {}});
    }
    void answerDialog(int result, std::function<void(QObject&)> prepare) {
        answers_.push_back(Answer{result, std::nullopt, std::move(prepare)});
    }
    const std::vector<Shown>& shown() const { return shown_; }
    QStringList messages() const;
    size_t pending() const { return answers_.size(); }

    int messageBox(const QString& text, MessageKind kind, MessageButtons buttons) override;
    int messageBoxDefaultNo(const QString& text, MessageKind kind, MessageButtons buttons) override;
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString& title, const QString& prompt) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    // A prepared text is the PDF file to print to; the offered one is shown's text.
    std::optional<PrintTarget> printDialog(const QString& offeredFile) override;
    int execDialog(QObject& dialog) override;

private:
    std::optional<Answer> next();
    int message(const QString& text, MessageKind kind, MessageButtons buttons, bool defaultNo);
    std::optional<QString> input(const QString& kind, const QString& title, const QString& prompt,
                                 const QString& defaultText);

    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};

// A clock that stands still until it is set or advanced; for tests.
class SettableClock : public Clock {
public:
    explicit SettableClock(double days = 45000.5) : days_(days) {}
    double now() const override { return days_; }
    void set(double days) { days_ = days; }
    void advance(double days) { days_ += days; }

private:
    double days_;
};

// Records what would be started and, when `run` is set, really starts it; for tests.
class RecordingProcessStarter : public ProcessStarter {
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingFolder;
        bool watched = false;
    };
    explicit RecordingProcessStarter(bool run = false) : run_(run) {}
    bool startDetached(const QString& program, const QStringList& arguments,
                       const QString& workingFolder) override;
    // Always really started: the caller reads what the program prints.
    std::unique_ptr<QProcess> startReading(const QString& program, const QStringList& arguments,
                                           const QString& workingFolder) override;
    // Recorded, never run: the test ends it with endWatched.
    bool startWatched(const QString& program, const QStringList& arguments,
                      const QString& workingFolder, QObject* context, Ended ended) override;
    const std::vector<Start>& starts() const { return starts_; }
    const std::vector<Start>& readings() const { return readings_; }
    // A program this machine does not have: its start fails.
    void refuse(const QString& program) { refused_ << program; }
    // Ends the last watched start as the program would; false when there is
    // none still running or its caller has gone.
    bool endWatched(bool succeeded);

private:
    bool run_;
    QStringList refused_;
    std::vector<Start> starts_;
    std::vector<Start> readings_;
    QPointer<QObject> watchedContext_;
    Ended watchedEnded_;
};

// A joystick whose state a test sets, or, with `device` set, the real one
// the test drives.
class ScriptedJoystick : public Joystick {
public:
    JoystickState state;
    Joystick* device = nullptr;
    JoystickState read() override { return device != nullptr ? device->read() : state; }
};
