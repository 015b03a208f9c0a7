// Reading a MAME-type emulator's -listxml as a list build does: the output
// streamed from a running process into the facts of each machine, a slice
// at a time on the event loop, while a 1 ms timer stands for the window and
// notes the processor time the thread spent between two of its turns: the
// longest the window is kept from its events by the read, whatever else the
// machine's cores are busy with (the wall-clock wait counts that too).
//
// listxml_read_s: MAME 0.251's -listxml for 2,000 systems, kept in bench/data;
// listxml_turn_cpu_ms_p99 / _max: the thread's work between two turns of
//   the timer during that read;
// listxml_read_mame_s and listxml_mame_turn_cpu_ms_p99 / _max: the same
//   with Debian's /usr/games/mame printing all its systems, where installed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "gamelist/ListXmlRun.h"

namespace {

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Read {
    double seconds = 0;
    qsizetype machines = 0;
    std::vector<double> waitsMs;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5))];
}

Read readFrom(const QString& program, const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process->start(program, arguments);
    if (!process->waitForStarted(-1)) {
        return {};
    }
    ListXmlRun run(std::move(process));
    Read read;
    double lastTurn = threadCpuMs();
    QTimer window;
    window.setInterval(1);
    QObject::connect(&window, &QTimer::timeout, [&] {
        const double now = threadCpuMs();
        read.waitsMs.push_back(now - lastTurn);
        lastTurn = now;
    });
    window.start();
    while (run.running()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    read.seconds = double(clock.nsecsElapsed()) / 1e9;
    read.machines = run.takeFacts().size();
    return read;
}

void print(const char* prefix, const Read& read) {
    std::printf("%s_turn_cpu_ms_p99: %.3f\n", prefix, percentile(read.waitsMs, 0.99));
    std::printf("%s_turn_cpu_ms_max: %.3f\n", prefix, percentile(read.waitsMs, 1.0));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Read excerpt =
        readFrom(QStringLiteral("gzip"),
                 {QStringLiteral("-dc"),
                  QStringLiteral(BRIVANEL_BENCH_DATA "/mame0251-excerpt-listxml.xml.gz")});
    std::printf("listxml_read_s: %.3f\n", excerpt.seconds);
    print("listxml", excerpt);
    if (excerpt.machines != 2000) {
        std::fprintf(stderr, "bench_listxml: %lld machines of the excerpt read, not 2000\n",
                     static_cast<long long>(excerpt.machines));
        return 1;
    }
    const QString mame = QStringLiteral("/usr/games/mame");
    if (QFileInfo(mame).isExecutable()) {
        const Read real = readFrom(mame, {QStringLiteral("-listxml")});
        std::printf("listxml_read_mame_s: %.1f\n", real.seconds);
        print("listxml_mame", real);
        if (real.machines < 40000) {
            std::fprintf(stderr, "bench_listxml: only %lld machines read from mame\n",
                         static_cast<long long>(real.machines));
            return 1;
        }
    }
    return 0;
}
