#!/usr/bin/env bash
# Installs what is missing, builds Brivanel and starts it on the demo
# installation. The build assembles the demo in build/demo/c; the first run
# copies it to .demo/c, which becomes drive C:, with the program in
# C:\BRIVANEL beside its definitions and the store in .demo/. Nothing outside
# the checkout is walked or written. Without a display it runs under a
# virtual X server, saves a screenshot into .demo/ and runs until Ctrl+C.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" -DBRIVANEL_TESTS=OFF
build="${BUILD_DIR:-$here/build}"
demo="$here/.demo"
drive="$demo/c"
if [ ! -d "$drive" ]; then
  mkdir -p "$demo"
  cp -a "$build/demo/c" "$drive"
  echo "The demo installation is in $drive (drive C:); delete $demo to start afresh."
else
  # A kept demo gets the programs just built; its lists, pictures and store stay.
  for f in brivanel brivanel-batch PKZIP.EXE PKUNZIP.EXE readme.htm; do
    cp "$build/demo/c/BRIVANEL/$f" "$drive/BRIVANEL/"
  done
  cp "$build/demo/c/EMU/standin" "$drive/EMU/"
fi

# A ';' or '%' in the folder would end or escape the drive's entry.
mapped="${drive//%/%25}"
export BRIVANEL_DRIVES="C:=${mapped//;/%3B}"
export BRIVANEL_STORE="$demo/registry.sqlite"
"$build/bin/brivanel-demo-store" "$BRIVANEL_STORE"

program="$drive/BRIVANEL/brivanel"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = "offscreen" ]; then
  exec "$program"
fi
exec "$here/scripts/demo-headless.sh" "$build/bin/brivanel-screenshot" "$program" "$demo/screenshot.png"
