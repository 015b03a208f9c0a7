#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"

# Packages only the tests and the fuzz run need, installed when missing:
# ImageMagick writes and checks test pictures, libwmf's wmf2gd renders
# metafiles for comparison, pstoedit (with libEMF) writes real WMF and EMF
# files, clang with libFuzzer builds the decoders' fuzz target.
test_packages=(imagemagick libwmf-bin pstoedit ghostscript clang libfuzzer-14-dev)
missing=()
for p in "${test_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

"$here/scripts/build.sh" -DBRIVANEL_TESTS=ON
cd "${BUILD_DIR:-$here/build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
