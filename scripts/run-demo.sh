#!/usr/bin/env bash
# Installs what is missing, builds Brivanel and starts it on the demo
# installation: the demo's drive becomes C:, the program lives in
# C:\BRIVANEL beside its definitions, and the store is kept in .demo/.
# Without a display it runs under a virtual X server.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
"$here/scripts/build.sh" -DBRIVANEL_TESTS=OFF
build="${BUILD_DIR:-$here/build}"
demo="$here/.demo"
if [ ! -d "$demo/c" ]; then
  mkdir -p "$demo"
  cp -a "$here/demo/c" "$demo/c"
fi
# The program directory is the folder of the executable itself.
cp "$build/bin/brivanel" "$build/bin/brivanel-batch" "$build/bin/PKZIP.EXE" "$build/bin/PKUNZIP.EXE" \
  "$demo/c/BRIVANEL/"
export BRIVANEL_DRIVES="C:=$demo/c"
export BRIVANEL_STORE="$demo/registry.sqlite"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
  exec xvfb-run -a "$demo/c/BRIVANEL/brivanel" "$@"
fi
exec "$demo/c/BRIVANEL/brivanel" "$@"
