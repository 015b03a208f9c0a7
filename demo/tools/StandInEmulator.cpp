// The demo's stand-in for every emulator and for JoyCP: a small window that
// shows what the launch script started it with and which ROM files it
// prepared, a line in played.log, and an end after the play time or when
// "End game" is pressed. A play shorter than the store's threshold is not
// counted, so the default play time lies just above it.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

namespace {

// ROM files the script unpacked into the emulator's folder, relative to it.
QStringList romFiles(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(folder).relativeFilePath(it.next());
        if (relative.startsWith(u"ROMS/", Qt::CaseInsensitive)) {
            files << relative;
        }
    }
    files.sort(Qt::CaseInsensitive);
    return files;
}

void appendLog(const QString& line) {
    QFile log(QCoreApplication::applicationDirPath() + u"/played.log");
    if (log.open(QIODevice::Append | QIODevice::Text)) {
        log.write(line.toUtf8() + '\n');
    }
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

int playSeconds() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("BRIVANEL_DEMO_PLAY_SECONDS", &ok);
    return ok && seconds >= 0 ? seconds : 35;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // a run without a screen still plays
    }
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    const QString name = arguments.value(0, QStringLiteral("Emulator"));
    const QString commandLine = arguments.mid(1).join(u' ');
    const QString folder = QDir::currentPath();
    const QStringList roms = romFiles(folder);

    appendLog(QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss") + u' ' + name +
              u": started in " + folder + u" with \"" + commandLine + u"\"; ROM files: " +
              (roms.isEmpty() ? QStringLiteral("none") : roms.join(u", ")));

    QWidget window;
    window.setWindowTitle(name + u" (demo stand-in)");
    auto* layout = new QVBoxLayout(&window);
    auto* title = new QLabel(u"<b>" + name.toHtmlEscaped() + u"</b> is running", &window);
    layout->addWidget(title);
    layout->addWidget(
        new QLabel(u"Started with: " +
                       (commandLine.isEmpty() ? QStringLiteral("(no arguments)") : commandLine),
                   &window));
    layout->addWidget(new QLabel(u"In folder: " + folder, &window));
    const QStringList shown = roms.mid(0, 6);
    layout->addWidget(new QLabel(
        u"ROM files ready: " +
            (roms.isEmpty() ? QStringLiteral("none")
                            : shown.join(u", ") + (roms.size() > shown.size() ? u", ..." : u"")),
        &window));
    layout->addWidget(new QLabel(
        QStringLiteral("Brivanel counts a play that lasts longer than 30 seconds."), &window));
    auto* remaining = new QProgressBar(&window);
    const int seconds = playSeconds();
    remaining->setRange(0, qMax(seconds, 1));
    remaining->setValue(seconds);
    remaining->setFormat(QStringLiteral("%v s left"));
    layout->addWidget(remaining);
    auto* end = new QPushButton(QStringLiteral("End game"), &window);
    layout->addWidget(end);
    QObject::connect(end, &QPushButton::clicked, &app, &QApplication::quit);

    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &app, [&] {
        remaining->setValue(remaining->value() - 1);
        if (remaining->value() <= 0) {
            app.quit();
        }
    });
    tick.start(1000);
    if (seconds == 0) {
        QTimer::singleShot(0, &app, &QApplication::quit);
    }
    // A small window: long command lines and file lists wrap.
    for (QLabel* label : window.findChildren<QLabel*>()) {
        label->setWordWrap(true);
    }
    window.setFixedWidth(520);
    window.show();
    const int status = app.exec();
    appendLog(QDateTime::currentDateTime().toString(u"yyyy-MM-dd hh:mm:ss") + u' ' + name +
              u": ended");
    return status;
}
