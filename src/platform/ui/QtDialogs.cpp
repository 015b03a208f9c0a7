#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

namespace {

QWidget* activeWindow() {
    return QApplication::activeWindow();
}

// "Executable file (*.EXE)|*.EXE" -> "Executable file (*.EXE *.exe)": patterns
// match either case, as they would on a DOS disk.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << p << p.toLower();
        }
        patterns.removeDuplicates();
        QString label = parts[i];
        const qsizetype paren = label.indexOf(u'(');
        if (paren > 0) {
            label = label.left(paren).trimmed();
        }
        out << label + u" (" + patterns.join(u' ') + u')';
    }
    return out.join(QStringLiteral(";;"));
}

int showMessageBox(const QString& text, MessageKind kind, MessageButtons buttons, bool defaultNo) {
    QMessageBox box(activeWindow());
    box.setWindowTitle(QStringLiteral("Brivanel"));
    box.setText(text);
    switch (kind) {
        case MessageKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageKind::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (defaultNo) {
        QAbstractButton* no = box.button(QMessageBox::No);
        box.setDefaultButton(qobject_cast<QPushButton*>(no ? no : box.button(QMessageBox::Cancel)));
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return mrOk;
        case QMessageBox::Yes:
            return mrYes;
        case QMessageBox::No:
            return mrNo;
        default:
            return mrCancel;
    }
}

std::optional<QString> showInputBox(const QString& title, const QString& prompt,
                                    const QString& defaultText, QLineEdit::EchoMode echo) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(activeWindow(), title, prompt, echo, defaultText, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

}  // namespace

int QtDialogs::messageBox(const QString& text, MessageKind kind, MessageButtons buttons) {
    return showMessageBox(text, kind, buttons, false);
}

int QtDialogs::messageBoxDefaultNo(const QString& text, MessageKind kind, MessageButtons buttons) {
    return showMessageBox(text, kind, buttons, true);
}

std::optional<QString> QtDialogs::inputBox(const QString& title, const QString& prompt,
                                           const QString& defaultText) {
    return showInputBox(title, prompt, defaultText, QLineEdit::Normal);
}

std::optional<QString> QtDialogs::passwordBox(const QString& title, const QString& prompt) {
    return showInputBox(title, prompt, QString(), QLineEdit::Password);
}

std::optional<QString> QtDialogs::openFile(const OpenFileRequest& request) {
    QFileDialog dialog(activeWindow(), request.title, request.initialFolder,
                       qtFilter(request.filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.initialFile.isEmpty()) {
        dialog.selectFile(request.initialFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

std::optional<PrintTarget> QtDialogs::printDialog(const QString& offeredFile) {
    QPrinter printer;
    // The dialog's own choice is a file in the working folder, which after a
    // play is the emulator's; a file named here is offered instead. With a
    // printer it would put printing to a file first, so then it is left.
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        printer.setOutputFileName(offeredFile);
    }
    QPrintDialog dialog(&printer, activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    // Without an installed printer the dialog offers a PDF file.
    return PrintTarget{printer.printerName(), printer.outputFileName()};
}

int QtDialogs::execDialog(QObject& dialog) {
    auto* window = qobject_cast<QDialog*>(&dialog);
    return window != nullptr ? window->exec() : mrCancel;
}
