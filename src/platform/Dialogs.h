#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Modal results, numbered as the program's dialogs return them.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

enum class MessageKind { Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };

struct OpenFileRequest {
    QString title;
    QString filter;  // "Executable file (*.EXE)|*.EXE"
    QString defaultExtension;
    QString initialFile;
    QString initialFolder;  // host folder
};

// Everything the program asks the user modally.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns the modal result of the button pressed.
    virtual int messageBox(const QString& text, MessageKind kind, MessageButtons buttons) = 0;
    // The text entered, or nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                            const QString& defaultText) = 0;
    // The chosen host file, or nothing when cancelled.
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;
    // Shows one of the program's own dialogs (a QDialog) modally.
    virtual int execDialog(QObject& dialog) = 0;
};

// Answers from a prepared queue and records every text shown; for tests.
// An empty queue answers with the first button's result (OK or Yes).
class ScriptedDialogs : public Dialogs {
public:
    struct Answer {
        int result = mrOk;
        std::optional<QString> text;            // input box text or chosen file
        std::function<void(QObject&)> prepare;  // acts on a dialog before it "closes"
    };
    struct Shown {
        QString kind;  // "message", "input", "open", "dialog"
        QString text;  // message text, input prompt, file dialog title, dialog object name
        QString detail;
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
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    int execDialog(QObject& dialog) override;

private:
    std::optional<Answer> next();

    std::deque<Answer> answers_;
    std::vector<Shown> shown_;
};
