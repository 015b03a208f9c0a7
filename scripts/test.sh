#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
# Needed by the tests only: DOS programs in brivanel-batch's tests run in
# the real DOSBox, with no window and no sound; a game is played end to end
# in Debian's mame, and the shipped definitions are checked against mame and
# mednafen; ImageMagick writes and checks the test pictures;
# poppler-utils reads the printed reports back; Inkscape and pstoedit write
# metafiles that libwmf (wmf2gd) and Ghostscript draw for comparison.
"$here/scripts/setup.sh" dosbox mame mednafen imagemagick poppler-utils inkscape libwmf-bin pstoedit \
  ghostscript
"$here/scripts/build.sh" -DBRIVANEL_TESTS=ON
cd "${BUILD_DIR:-$here/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
