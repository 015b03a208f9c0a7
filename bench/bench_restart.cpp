// The restart after a game as the user waits for it: the built program
// started as a process of its own on a store of 45,000 games, a picture
// index of 10,000 pictures and a current game with a 640x480 JPEG, on a
// virtual X server with a window manager, until its window shows the list
// filled and the picture. The program tells when its first such frame went
// to the display (BRIVANEL_REPORT_FIRST_FRAME); a screenshot taken at once
// must show the selected list item with list items above it and the
// picture, or the run fails. Median of the runs after a warm-up run.
//
//   bench_restart [--runs R]
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "settings/KeyPath.h"
#include "support/TempInstallation.h"

#include "BenchOptions.h"
#include "StartupInstallation.h"

namespace {

constexpr int kPictures = 10000;
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// Far from anything the window draws itself.
const QColor kPictureColour(200, 30, 170);
constexpr int kWaitMs = 30000;

double monotonicSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

[[noreturn]] void fail(const QString& why) {
    std::fprintf(stderr, "bench_restart: %s\n", qPrintable(why));
    std::exit(1);
}

// Xvfb on a display it picks itself (-displayfd), started before Qt chooses
// its platform: the benchmark's own screenshots are taken on it.
class VirtualScreen {
public:
    VirtualScreen() {
        int fds[2];
        if (pipe(fds) != 0) {
            fail(QStringLiteral("no pipe"));
        }
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            const std::string fd = std::to_string(fds[1]);
            const std::string screen =
                std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c = 0;
        while (read(fds[0], &c, 1) == 1 && c != '\n') {
            number += c;
        }
        close(fds[0]);
        if (pid_ < 0 || number.empty()) {
            fail(QStringLiteral("Xvfb did not start (apt-get install xvfb)"));
        }
        display_ = QStringLiteral(":") + QString::fromStdString(number);
    }
    ~VirtualScreen() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    const QString& display() const { return display_; }

private:
    pid_t pid_ = -1;
    QString display_;
};

// The picture: one colour that the screenshot check can find, with the
// grain of a real screenshot so that it costs what one costs to decode.
QImage gamePicture() {
    QImage image(640, 480, QImage::Format_RGB32);
    image.fill(kPictureColour);
    QPainter painter(&image);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("Sans"), 24));
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("SCORE 0012345"));
    painter.end();
    quint32 seed = 1;
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 28) - 8;
            const QRgb p = row[x];
            row[x] = qRgb(std::clamp(qRed(p) + n, 0, 255), std::clamp(qGreen(p) + n, 0, 255),
                          std::clamp(qBlue(p) + n, 0, 255));
        }
    }
    return image;
}

void addPictures(TempInstallation& inst) {
    const QString folder = QStringLiteral("C:\\BRIVANEL\\BITMAPS\\");
    inst.mkdir(folder);
    const QString shown = StartupInstallation::shortName(StartupInstallation::kCurrentGame);
    if (!gamePicture().save(inst.host(folder + shown + u".JPG"), "JPG", 90)) {
        fail(QStringLiteral("the picture was not written"));
    }
    // The game's picture last: every lookup before it scans the whole index.
    QStringList index;
    for (int i = 1; i < kPictures; ++i) {
        index << folder + QStringLiteral("PICTURE%1.PNG").arg(i);
    }
    index << (folder + shown + u".JPG").toUpper();
    inst.writeLines(QStringLiteral("C:\\BRIVANEL\\picture.dir"), index);
    SettingsStore store(StoreDatabase::open(inst.storeFile()));
    store.OpenKey(StorePaths::Root(), false);
    store.WriteBool(QStringLiteral("High Quality Images"), true);
}

// Ends each run as a game's launch does: "Time" a day back, so that the
// start counts a play of the current game.
void launchedADayAgo(TempInstallation& inst) {
    SettingsStore store(StoreDatabase::open(inst.storeFile()));
    store.OpenKey(StorePaths::Root(), false);
    const double days =
        double(QDateTime(QDate(1899, 12, 30), QTime(0, 0)).msecsTo(QDateTime::currentDateTime())) /
        86400000.0;
    store.WriteDateTime(QStringLiteral("Time"), days - 1);
}

int playCount(TempInstallation& inst) {
    SettingsStore store(StoreDatabase::open(inst.storeFile()));
    store.OpenKey(
        StorePaths::Entry(StartupInstallation::gameName(StartupInstallation::kCurrentGame)), false);
    return store.ValueExists(QStringLiteral("Count")) ? store.ReadInteger(QStringLiteral("Count"))
                                                      : 0;
}

bool near(QRgb pixel, const QColor& colour, int tolerance) {
    return std::abs(qRed(pixel) - colour.red()) <= tolerance &&
           std::abs(qGreen(pixel) - colour.green()) <= tolerance &&
           std::abs(qBlue(pixel) - colour.blue()) <= tolerance;
}

// The picture is on screen: most of a square of at least 200 pixels a side
// has its colour.
QString checkPicture(const QImage& screen) {
    QRect box;
    int count = 0;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x < screen.width(); ++x) {
            if (near(row[x], kPictureColour, 40)) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
        }
    }
    if (box.width() < 200 || box.height() < 200 || count < box.width() * box.height() * 6 / 10) {
        return QStringLiteral("no picture on screen (%1 pixels of its colour)").arg(count);
    }
    return {};
}

// The list is filled on screen: a row of items is drawn in the selection
// colour with lighter text in it, and item lines with dark text stand above
// it (the selected item is shown twelve lines below the top).
QString checkList(const QImage& screen) {
    const QPalette palette = QApplication::palette();
    const QColor highlights[] = {palette.color(QPalette::Active, QPalette::Highlight),
                                 palette.color(QPalette::Inactive, QPalette::Highlight)};
    const auto isHighlight = [&highlights](QRgb p) {
        // The style draws the selection as a gentle gradient.
        return near(p, highlights[0], 24) || near(p, highlights[1], 24);
    };
    // The first and last screen row of the selected item, and where it
    // starts and ends: its text breaks the colour in some rows, not in all.
    int top = -1, bottom = -1, left = screen.width(), right = 0;
    for (int y = 0; y < screen.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        int run = 0, longest = 0, end = 0;
        for (int x = 0; x < screen.width(); ++x) {
            run = isHighlight(row[x]) ? run + 1 : 0;
            if (run > longest) {
                longest = run;
                end = x;
            }
        }
        if (longest >= 150) {
            top = top < 0 ? y : top;
            bottom = y;
            left = std::min(left, end - longest + 1);
            right = std::max(right, end);
        }
    }
    if (top < 0) {
        return QStringLiteral("no selected list item on screen");
    }
    const int itemHeight = bottom - top + 1;
    if (itemHeight < 8 || itemHeight > 30) {
        return QStringLiteral("a selected band of %1 rows is no list item").arg(itemHeight);
    }
    const auto inkIn = [&screen, left, right](int from, int to, auto isInk) {
        for (int y = std::max(0, from); y <= to; ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
            for (int x = left; x <= right; ++x) {
                if (isInk(row[x])) {
                    return true;
                }
            }
        }
        return false;
    };
    if (!inkIn(top, bottom, [&isHighlight](QRgb p) { return !isHighlight(p) && qGray(p) > 200; })) {
        return QStringLiteral("the selected list item has no text");
    }
    int linesWithText = 0;
    for (int line = 1; line <= 12; ++line) {
        const int from = top - line * itemHeight;
        if (inkIn(from, from + itemHeight - 1, [](QRgb p) { return qGray(p) < 90; })) {
            ++linesWithText;
        }
    }
    if (linesWithText < 10) {
        return QStringLiteral("only %1 list items with text above the selected one")
            .arg(linesWithText);
    }
    return {};
}

// The processor time the program's threads have had so far: the part of a
// start that a busy machine does not stretch.
double processorSeconds(qint64 pid) {
    double total = 0;
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile stat(tasks + u'/' + task + u"/schedstat");
        if (stat.open(QIODevice::ReadOnly)) {
            total += stat.readAll().split(' ').value(0).toDouble() / 1e9;
        }
    }
    return total;
}

struct Start {
    double seconds = 0;
    double processorSeconds = 0;
};

class Restart {
public:
    Restart(const QString& program, QProcessEnvironment environment)
        : program_(program), environment_(std::move(environment)) {}

    // One start to its first frame; the screenshot taken then is checked,
    // and the program is ended as a user ends it.
    Start run() {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double started = monotonicSeconds();
        process.start(program_, {});
        QByteArray line;
        while (!line.endsWith('\n')) {
            if (!process.waitForReadyRead(kWaitMs)) {
                fail(QStringLiteral("the program reported no first frame"));
            }
            line += process.readLine();
        }
        const double processor = processorSeconds(process.processId());
        const QImage screen =
            QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
                QImage::Format_RGB32);
        const QByteArray prefix = "first frame: ";
        bool ok = line.startsWith(prefix);
        const double shown = ok ? line.mid(prefix.size()).trimmed().toDouble(&ok) : 0;
        if (!ok) {
            fail(QStringLiteral("unexpected output: %1").arg(QString::fromLocal8Bit(line)));
        }
        for (const QString& problem : {checkPicture(screen), checkList(screen)}) {
            if (!problem.isEmpty()) {
                screen.save(QDir::tempPath() + u"/bench_restart_failed.png");
                fail(problem + u" when the program reported its first frame");
            }
        }
        process.terminate();
        if (!process.waitForFinished(kWaitMs) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            fail(QStringLiteral("the program did not end cleanly"));
        }
        return {shown - started, processor};
    }

private:
    QString program_;
    QProcessEnvironment environment_;
};

}  // namespace

int main(int argc, char** argv) {
    const BenchOptions options = BenchOptions::parse(argc, argv, {0, 7});
    if (QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty()) {
        fail(QStringLiteral("needs openbox (apt-get install openbox)"));
    }
    const VirtualScreen xvfb;
    qputenv("DISPLAY", xvfb.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    // A desktop session has its runtime folder; without one every start
    // would warn and make one.
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    }
    QApplication app(argc, argv);

    TempInstallation inst;
    StartupInstallation::make(inst);
    addPictures(inst);
    const QString program = inst.programHostDir() + u"/brivanel";
    if (!QFile::copy(QStringLiteral(BRIVANEL_PROGRAM), program)) {
        fail(QStringLiteral("could not copy ") + QStringLiteral(BRIVANEL_PROGRAM));
    }

    QProcess openbox;
    openbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    openbox.setStandardOutputFile(QProcess::nullDevice());
    openbox.start(QStringLiteral("openbox"), {});
    if (!openbox.waitForStarted(kWaitMs)) {
        fail(QStringLiteral("openbox did not start"));
    }
    QThread::msleep(1000);  // until it manages the screen

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("BRIVANEL_DRIVES"), inst.drives().toString());
    environment.insert(QStringLiteral("BRIVANEL_STORE"), inst.storeFile());
    environment.insert(QStringLiteral("BRIVANEL_REPORT_FIRST_FRAME"), QStringLiteral("1"));
    Restart restart(program, environment);

    const int playsBefore = playCount(inst);
    std::vector<double> times;
    std::vector<double> processorTimes;
    for (int i = 0; i <= options.runs; ++i) {
        launchedADayAgo(inst);
        const Start start = restart.run();
        if (i > 0) {  // the first warms the file cache
            times.push_back(start.seconds);
            processorTimes.push_back(start.processorSeconds);
        }
    }
    openbox.terminate();
    openbox.waitForFinished(kWaitMs);
    // Each start counted the play of the game launched before it.
    if (playCount(inst) != playsBefore + options.runs + 1) {
        fail(QStringLiteral("the starts counted %1 plays, not %2")
                 .arg(playCount(inst) - playsBefore)
                 .arg(options.runs + 1));
    }
    std::sort(times.begin(), times.end());
    std::sort(processorTimes.begin(), processorTimes.end());
    std::printf("restart_45k_window_s: %.3f\n", times[times.size() / 2]);
    std::printf("restart_45k_window_max_s: %.3f\n", times.back());
    std::printf("restart_45k_window_cpu_s: %.3f\n", processorTimes[processorTimes.size() / 2]);
    return 0;
}
