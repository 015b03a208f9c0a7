#include "support/TestDoubles.h"

#include <utility>

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::next() {
    if (answers_.empty()) {
        return std::nullopt;
    }
    Answer a = std::move(answers_.front());
    answers_.pop_front();
    return a;
}

QStringList ScriptedDialogs::messages() const {
    QStringList out;
    for (const Shown& s : shown_) {
        if (s.kind == u"message") {
            out << s.text;
        }
    }
    return out;
}

namespace {

QString describe(MessageKind kind, MessageButtons buttons) {
    static const char* const kinds[] = {"Warning", "Error", "Information", "Confirmation"};
    static const char* const sets[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    return QString::fromLatin1(kinds[int(kind)]) + u' ' + QString::fromLatin1(sets[int(buttons)]);
}

}  // namespace

int ScriptedDialogs::message(const QString& text, MessageKind kind, MessageButtons buttons,
                             bool defaultNo) {
    shown_.push_back({QStringLiteral("message"), text, describe(kind, buttons), defaultNo});
    if (auto a = next()) {
        return a->result;
    }
    const bool yesNo = buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel;
    if (defaultNo) {
        return yesNo ? mrNo : buttons == MessageButtons::Ok ? mrOk : mrCancel;
    }
    return yesNo ? mrYes : mrOk;
}

int ScriptedDialogs::messageBox(const QString& text, MessageKind kind, MessageButtons buttons) {
    return message(text, kind, buttons, false);
}

int ScriptedDialogs::messageBoxDefaultNo(const QString& text, MessageKind kind,
                                         MessageButtons buttons) {
    return message(text, kind, buttons, true);
}

std::optional<QString> ScriptedDialogs::input(const QString& kind, const QString& title,
                                              const QString& prompt, const QString& defaultText) {
    shown_.push_back({kind, prompt, title});
    if (auto a = next()) {
        return a->result == mrCancel ? std::nullopt : a->text;
    }
    return defaultText;
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& title, const QString& prompt,
                                                 const QString& defaultText) {
    return input(QStringLiteral("input"), title, prompt, defaultText);
}

std::optional<QString> ScriptedDialogs::passwordBox(const QString& title, const QString& prompt) {
    return input(QStringLiteral("password"), title, prompt, QString());
}

std::optional<QString> ScriptedDialogs::openFile(const OpenFileRequest& request) {
    shown_.push_back({QStringLiteral("open"), request.title, request.initialFile});
    if (auto a = next()) {
        return a->result == mrCancel ? std::nullopt : a->text;
    }
    return std::nullopt;
}

std::optional<PrintTarget> ScriptedDialogs::printDialog(const QString& offeredFile) {
    shown_.push_back({QStringLiteral("print"), offeredFile, QString()});
    if (auto a = next()) {
        if (a->result != mrCancel && a->text) {
            return PrintTarget{QString(), *a->text};
        }
    }
    return std::nullopt;
}

int ScriptedDialogs::execDialog(QObject& dialog) {
    shown_.push_back({QStringLiteral("dialog"), dialog.objectName(), QString()});
    if (auto a = next()) {
        if (a->prepare) {
            a->prepare(dialog);
        }
        return a->result;
    }
    return mrCancel;
}

bool RecordingProcessStarter::startDetached(const QString& program, const QStringList& arguments,
                                            const QString& workingFolder) {
    starts_.push_back({program, arguments, workingFolder});
    if (refused_.contains(program)) {
        return false;
    }
    if (!run_) {
        return true;
    }
    return SystemProcessStarter().startDetached(program, arguments, workingFolder);
}

std::unique_ptr<QProcess> RecordingProcessStarter::startReading(const QString& program,
                                                                const QStringList& arguments,
                                                                const QString& workingFolder) {
    readings_.push_back({program, arguments, workingFolder});
    if (refused_.contains(program)) {
        return nullptr;
    }
    return ProcessStarter::startReading(program, arguments, workingFolder);
}

bool RecordingProcessStarter::startWatched(const QString& program, const QStringList& arguments,
                                           const QString& workingFolder, QObject* context,
                                           Ended ended) {
    starts_.push_back({program, arguments, workingFolder, true});
    if (refused_.contains(program)) {
        return false;
    }
    watchedContext_ = context;
    watchedEnded_ = std::move(ended);
    return true;
}

bool RecordingProcessStarter::endWatched(bool succeeded) {
    const Ended ended = std::exchange(watchedEnded_, {});
    if (!ended || watchedContext_.isNull()) {
        return false;
    }
    ended(succeeded);
    return true;
}
