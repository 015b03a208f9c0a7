#pragma once

#include "platform/Dialogs.h"

class QWidget;

// The real dialogs: Qt message boxes, input box, file and print dialogs.
class QtDialogs : public Dialogs {
public:
    int messageBox(const QString& text, MessageKind kind, MessageButtons buttons) override;
    int messageBoxDefaultNo(const QString& text, MessageKind kind, MessageButtons buttons) override;
    std::optional<QString> inputBox(const QString& title, const QString& prompt,
                                    const QString& defaultText) override;
    std::optional<QString> passwordBox(const QString& title, const QString& prompt) override;
    std::optional<QString> openFile(const OpenFileRequest& request) override;
    std::optional<PrintTarget> printDialog(const QString& offeredFile) override;
    int execDialog(QObject& dialog) override;
};
