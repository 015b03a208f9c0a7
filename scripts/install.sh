#!/usr/bin/env bash
# Builds Brivanel and installs it for the current user, or uninstalls it.
#
#   scripts/install.sh [--prefix DIR] [--uninstall]
#
# The program folder, ${XDG_DATA_HOME:-~/.local/share}/brivanel, holds the
# programs and readme.htm, and is where the emulator definitions (*.ini) go:
# the program reads them, and writes its scripts and lists, beside itself.
# ~/.local/bin/brivanel is the launcher; the desktop entry and the icon go to
# applications/ and icons/ beside the program folder. --prefix DIR puts all
# of it under DIR/bin and DIR/share instead.
#
# Neither installing nor uninstalling touches the user's files in the program
# folder: an install writes only its own files, and an uninstall removes only
# those.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"

usage() {
    echo "usage: $0 [--prefix DIR] [--uninstall]"
}

prefix=""
uninstall=false
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix)
            [ $# -ge 2 ] || { usage >&2; exit 2; }
            prefix="$2"
            shift 2
            ;;
        --prefix=*)
            prefix="${1#--prefix=}"
            shift
            ;;
        --uninstall)
            uninstall=true
            shift
            ;;
        -h | --help)
            usage
            exit 0
            ;;
        *)
            usage >&2
            exit 2
            ;;
    esac
done

user_prefix="${HOME%/}/.local"
if [ -z "$prefix" ]; then
    prefix="$user_prefix"
fi
case "$prefix" in
    /*) ;;
    *) prefix="$PWD/$prefix" ;;
esac
while [ "$prefix" != "/" ] && [ "${prefix%/}" != "$prefix" ]; do
    prefix="${prefix%/}"
done
# The same rule as packaging/InstallUser.cmake: ~/.local/share is the
# default of XDG_DATA_HOME, which the desktop searches when it is set.
share="$prefix/share"
if [ "$prefix" = "$user_prefix" ] && [[ "${XDG_DATA_HOME:-}" == /* ]]; then
    share="${XDG_DATA_HOME%/}"
fi
bindir="$prefix/bin"
program_dir="$share/brivanel"
launcher="$bindir/brivanel"
desktop="$share/applications/brivanel.desktop"
icons="$share/icons/hicolor"

# Refreshes only a cache that is already there: a new one would stay behind
# when other programs add icons without updating it, and hide theirs.
refresh_desktop_caches() {
    if command -v update-desktop-database >/dev/null && [ -d "$share/applications" ]; then
        update-desktop-database -q "$share/applications" || true
    fi
    if command -v gtk-update-icon-cache >/dev/null && [ -f "$icons/icon-theme.cache" ]; then
        gtk-update-icon-cache -q -t -f "$icons" || true
    fi
}

if $uninstall; then
    remove() {
        if [ -e "$1" ] || [ -L "$1" ]; then
            rm -f -- "$1"
            echo "Removed $1"
        fi
    }
    for f in brivanel brivanel-batch brivanel-makelist PKZIP.EXE PKUNZIP.EXE; do
        remove "$program_dir/$f"
    done
    if [ -f "$program_dir/readme.htm" ]; then
        if cmp -s "$program_dir/readme.htm" "$here/doc/readme.htm"; then
            remove "$program_dir/readme.htm"
        else
            echo "Kept $program_dir/readme.htm: it differs from this version's"
        fi
    fi
    if [ -f "$launcher" ]; then
        if grep -q '^# Brivanel launcher\.' "$launcher"; then
            remove "$launcher"
        else
            echo "Kept $launcher: it is not Brivanel's launcher"
        fi
    fi
    remove "$desktop"
    remove "$icons/scalable/apps/brivanel.svg"
    refresh_desktop_caches
    if [ -d "$program_dir" ]; then
        if rmdir -- "$program_dir" 2>/dev/null; then
            echo "Removed $program_dir"
        else
            echo "Left your files in $program_dir:"
            find "$program_dir" -mindepth 1 -maxdepth 1 -printf '  %f\n' | sort
        fi
    fi
    store="${XDG_CONFIG_HOME:-$HOME/.config}/brivanel"
    if [ -d "$store" ]; then
        echo "Left the settings store in $store"
    fi
    exit 0
fi

"$here/scripts/setup.sh"
"$here/scripts/build.sh" -DBRIVANEL_TESTS=OFF
cmake --install "$build" --prefix "$prefix" --strip
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop"
fi
refresh_desktop_caches

echo
echo "Installed Brivanel: program folder $program_dir, launcher $launcher"
case ":$PATH:" in
    *":$bindir:"* | *":$bindir/:"*) ;;
    *) echo "Note: $bindir is not on PATH; start Brivanel as $launcher or from the menu." ;;
esac
for definition in "$program_dir"/*.[iI][nN][iI]; do
    if [ -f "$definition" ]; then
        exit 0
    fi
done
echo "Put your emulator definitions (one NAME.ini per emulator) in $program_dir."
