// The drive search's walk over a generated tree, timed against
// `find TREE -type f | wc -l` on the same tree in the same run, and against
// `find TREE -type f -printf '%m %p\n'`, which, like the walk, reads every
// file's mode.
//
//   bench_walk [--files N] [--runs R]
//
// Prints walk_200k_s, find_200k_s, walk_vs_find_ratio, find_stat_200k_s,
// walk_vs_find_stat_ratio and walk_peak_rss_mb (the names keep "200k"
// whatever N is, so that runs can be compared).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/EmulatorTable.h"
#include "context/ProgressThrottle.h"
#include "platform/DosFileSystem.h"
#include "tools/DirectoryWalker.h"
#include "tools/DriveSearch.h"

#include "BenchOptions.h"

namespace {

namespace fs = std::filesystem;

// Removes the tree however the bench ends.
class ScratchTree {
public:
    ScratchTree() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_walk.XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        path_ = pattern;
    }
    ~ScratchTree() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchTree(const ScratchTree&) = delete;
    ScratchTree& operator=(const ScratchTree&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Mixed-case names, blanks in some folders, a mix of wanted and unwanted
// files, every tenth file read-only. Returns how many files the walk should
// collect.
int generate(const fs::path& root, int files) {
    static const std::array<const char*, 8> kTops = {
        "Arcade Sets", "roms", "Games 2", "NES", "Utils", "MAME Stuff", "snes", "Misc Files"};
    static const std::array<const char*, 10> kKinds = {".zip", ".ZIP", ".exe", ".txt", ".nes",
                                                       ".Dat", ".smc", ".cfg", ".fds", ".bmp"};
    static const std::array<bool, 10> kWanted = {true,  true, true,  false, true,
                                                 false, true, false, true,  false};
    constexpr int kPerLeaf = 50;
    constexpr int kMidPerTop = 10;
    int collected = 0;
    int made = 0;
    for (int leaf = 0; made < files; ++leaf) {
        const int top = leaf % int(kTops.size());
        const int mid = (leaf / int(kTops.size())) % kMidPerTop;
        const fs::path folder =
            root / kTops[size_t(top)] /
            (mid % 3 == 0 ? "Set " + std::to_string(mid) : "Set_" + std::to_string(mid)) /
            ("Leaf" + std::to_string(leaf) + (leaf % 4 == 0 ? " x" : ""));
        fs::create_directories(folder);
        for (int i = 0; i < kPerLeaf && made < files; ++i, ++made) {
            const size_t kind = size_t(made) % kKinds.size();
            const std::string name =
                (made % 2 ? "Game " : "rom") + std::to_string(made) + kKinds[kind];
            const std::string path = (folder / name).string();
            const int fd =
                ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, made % 10 == 0 ? 0444 : 0644);
            if (fd < 0) {
                std::perror(path.c_str());
                std::exit(1);
            }
            ::close(fd);
            collected += kWanted[kind] ? 1 : 0;
        }
    }
    return collected;
}

double seconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// `find TREE -type f <action> | wc -l`: the action decides whether find
// reads each file's mode.
double timeFind(const fs::path& tree, const char* action, long* count) {
    const std::string command = "find '" + tree.string() + "' -type f " + action + " | wc -l";
    QElapsedTimer timer;
    timer.start();
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr || std::fscanf(pipe, "%ld", count) != 1) {
        std::fprintf(stderr, "bench_walk: find failed\n");
        std::exit(1);
    }
    ::pclose(pipe);
    return seconds(timer);
}

// One drive search over drive C: = the tree, progress repainted as the
// window does (text built only when due).
double timeWalk(const DosFileSystem& dos, const QStringList& suffixes, qsizetype* collected) {
    ProgressThrottle throttle(40);
    volatile qsizetype shown = 0;  // keeps the status texts from being optimised away
    QElapsedTimer timer;
    timer.start();
    DirectoryWalker walker(dos, suffixes, [&](const WalkStep& step) {
        if (throttle.due()) {
            shown = shown + step.statusText().size();
        }
    });
    walker.WalkDirectory(QStringLiteral("C:"));
    const double elapsed = seconds(timer);
    *collected = walker.found().size();
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    const BenchOptions options = BenchOptions::parse(argc, argv, {200000, 5});
    const ScratchTree scratch;
    const fs::path tree = scratch.path() / "tree";
    const int expected = generate(tree, options.files);

    DriveMap drives;
    drives.set(u'C', QString::fromStdString(tree.string()));
    const DosFileSystem dos(drives);
    EmulatorTable emulators;
    for (const char* extensions : {"*.NES;*.FDS", "SMC"}) {
        EmulatorDefinition definition;
        definition.extensions = QString::fromLatin1(extensions);
        emulators.append(definition);
    }
    const QStringList suffixes = DriveSearch::BuildWantedSuffixes(emulators);

    // A first round warms the caches and makes the read-only files writable.
    constexpr const char* kNames = "";
    constexpr const char* kModes = R"(-printf '%m %p\n')";
    long found = 0;
    long foundWithModes = 0;
    qsizetype collected = 0;
    timeFind(tree, kNames, &found);
    timeFind(tree, kModes, &foundWithModes);
    timeWalk(dos, suffixes, &collected);
    if (found != options.files || foundWithModes != options.files || collected != expected) {
        std::fprintf(stderr,
                     "bench_walk: find saw %ld (with modes %ld) of %d files, the walk collected "
                     "%lld of %d\n",
                     found, foundWithModes, options.files, static_cast<long long>(collected),
                     expected);
        return 1;
    }

    std::vector<double> walks;
    std::vector<double> finds;
    std::vector<double> findsWithModes;
    for (int run = 0; run < options.runs; ++run) {
        finds.push_back(timeFind(tree, kNames, &found));
        findsWithModes.push_back(timeFind(tree, kModes, &foundWithModes));
        walks.push_back(timeWalk(dos, suffixes, &collected));
    }
    const double walk = median(walks);
    const double find = median(finds);
    const double findStat = median(findsWithModes);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("walk_200k_s: %.3f\n", walk);
    std::printf("find_200k_s: %.3f\n", find);
    std::printf("walk_vs_find_ratio: %.2f\n", walk / find);
    std::printf("find_stat_200k_s: %.3f\n", findStat);
    std::printf("walk_vs_find_stat_ratio: %.2f\n", walk / findStat);
    std::printf("walk_peak_rss_mb: %.1f\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
