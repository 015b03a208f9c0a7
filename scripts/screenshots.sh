#!/usr/bin/env bash
# Takes the README's pictures of the main window on the demo, under a virtual
# X server with a small window manager (openbox, installed when missing):
# maximised on a 1024x768 screen and on a 1920x1080 screen, each also with
# the filter showing "pac". Saves them into .demo/ as main-<screen>.png and
# filter-pac-<screen>.png.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh" openbox
build="${BUILD_DIR:-$here/build}"
cmake -S "$here" -B "$build" -DBRIVANEL_TESTS=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target test_demo_ui demo
out="$here/.demo"
mkdir -p "$out"
for screen in 1024x768 1920x1080; do
  xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    QT_QPA_PLATFORM=xcb BRIVANEL_SCREENSHOTS="$1" BRIVANEL_BATCH="$2" \
      "$3" --gtest_also_run_disabled_tests --gtest_filter=DemoAcceptance.DISABLED_ScreenshotsOfTheWindow' \
    screenshots "$out" "$build/bin/brivanel-batch" "$build/bin/test_demo_ui"
done
