#!/usr/bin/env bash
# Runs the picture decoders' fuzz target for $1 seconds (default 180): installs
# clang, libFuzzer and the seed makers, then builds the target fuzz_imaging,
# which fails when the fuzzer finds a crash, a leak, undefined behaviour or a
# hang.
set -euo pipefail
here="$(cd "$(dirname "$0")/../../.." && pwd)"
"$here/scripts/setup.sh" clang libfuzzer-14-dev imagemagick pstoedit ghostscript inkscape
build="${BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -DBRIVANEL_TESTS=ON >/dev/null
BRIVANEL_FUZZ_SECONDS="${1:-180}" cmake --build "$build" --target fuzz_imaging
