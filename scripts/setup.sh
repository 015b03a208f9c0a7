#!/usr/bin/env bash
# Installs the Debian packages Brivanel needs to build, run and test, and
# those named as arguments (the test command adds its own).
# Idempotent: packages already present are skipped, so a prepared machine
# goes straight on.
set -euo pipefail

packages=(
  build-essential cmake pkg-config qt6-base-dev
  libjpeg62-turbo-dev libtiff-dev libgif-dev libpng-dev libsqlite3-dev libsdl2-dev
  libgtest-dev libbenchmark-dev libzip-dev zip unzip xvfb xauth
  libqt6svg6
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
