#pragma once

#include <algorithm>
#include <cstdlib>
#include <cstring>

// "--files N" and "--runs N" for the benchmarks that make a tree of files,
// so that a quick run on a small tree needs no rebuild.
struct BenchOptions {
    int files;
    int runs;

    static BenchOptions parse(int argc, char** argv, BenchOptions options) {
        for (int i = 1; i + 1 < argc; i += 2) {
            if (std::strcmp(argv[i], "--files") == 0) {
                options.files = std::max(1, std::atoi(argv[i + 1]));
            } else if (std::strcmp(argv[i], "--runs") == 0) {
                options.runs = std::max(1, std::atoi(argv[i + 1]));
            }
        }
        return options;
    }
};
