#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless. With CI set, a skipped test fails the run too.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
# Needed by the tests only: DOS programs in brivanel-batch's tests run in
# the real DOSBox, with no window and no sound; a game is played end to end
# in Debian's mame, mednafen and stella, and the shipped definitions are
# checked against them; ImageMagick writes and checks the test pictures;
# poppler-utils reads the printed reports back; Inkscape and pstoedit write
# metafiles that libwmf (wmf2gd) and Ghostscript draw for comparison.
"$here/scripts/setup.sh" dosbox mame mednafen stella imagemagick poppler-utils inkscape libwmf-bin pstoedit \
  ghostscript
"$here/scripts/build.sh" -DBRIVANEL_TESTS=ON
cd "${BUILD_DIR:-$here/build}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" | tee "$log"
# Everything the tests need is installed above, so on CI a test that did
# not run (skipped for a missing program) is a test that should have.
if [ -n "${CI:-}" ] && grep -q '^The following tests did not run:' "$log"; then
  echo "test.sh: tests did not run on CI (see above)" >&2
  exit 1
fi
