#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

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

// Where a report goes: the printer chosen by name, or a PDF file when
// `outputFile` (a host path) is set.
struct PrintTarget {
    QString printerName;
    QString outputFile;
};

// Everything the program asks the user modally.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns the modal result of the button pressed.
    virtual int messageBox(const QString& text, MessageKind kind, MessageButtons buttons) = 0;
    // The same box with No (or Cancel) as its default button: for questions
    // whose Yes deletes or overwrites files, which Enter alone must not do.
    virtual int messageBoxDefaultNo(const QString& text, MessageKind kind,
                                    MessageButtons buttons) = 0;
    // The text entered, or nothing when the box was cancelled.
    virtual std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                            const QString& defaultText) = 0;
    // An input box whose text is masked while it is typed.
    virtual std::optional<QString> passwordBox(const QString& title, const QString& prompt) = 0;
    // The chosen host file, or nothing when cancelled.
    virtual std::optional<QString> openFile(const OpenFileRequest& request) = 0;
    // The print dialog; nothing when it was cancelled. `offeredFile` (a host
    // path) is the PDF file it offers when there is no printer to print to.
    virtual std::optional<PrintTarget> printDialog(const QString& offeredFile) = 0;
    // Shows one of the program's own dialogs (a QDialog) modally.
    virtual int execDialog(QObject& dialog) = 0;
};
