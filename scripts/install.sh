#!/usr/bin/env bash
# Builds Brivanel and installs it for the current user, or uninstalls it.
#
#   scripts/install.sh [--prefix DIR] [--no-build] [--uninstall]
#
# The program folder, ${XDG_DATA_HOME:-~/.local/share}/brivanel, holds the
# programs and readme.htm, and is where the emulator definitions (*.ini) go:
# the program reads them, and writes its scripts and lists, beside itself.
# ~/.local/bin/brivanel is the launcher; the desktop entry and the icon go to
# applications/ and icons/ beside the program folder. --prefix DIR puts all
# of it under DIR/bin and DIR/share instead. --no-build installs the build
# in ${BUILD_DIR:-build} as it is.
#
# Nothing of the user's is overwritten or removed. Every file an install
# writes is recorded with its SHA-256 in the program folder's manifest; a
# later install writes it again, and an uninstall removes it, only while its
# content is still the recorded one. A file in the way that the manifest
# does not know, or that was changed since, is kept, and the script says so.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$here/build}"

# Debian's emulators that get a definition, a launcher and key help when
# installed, a row per definition: emulator ID (the launcher is
# <program folder>/ID/ID.EXE), definition (packaging/emulators/NAME.ini),
# the emulator's program, the launcher's template
# (packaging/emulators/TEMPLATE.EXE.in), and the parts of the key help
# ID/KEYS.TXT (packaging/emulators/keys/PART.txt, joined in this order).
emulators=(
    "MAME mame /usr/games/mame MAME mame"
    "MEDNES mednes /usr/games/mednafen CONSOLE nes mednafen"
    "MEDSNES medsnes /usr/games/mednafen CONSOLE snes mednafen"
    "MEDGB medgb /usr/games/mednafen CONSOLE gb mednafen"
    "MEDGBA medgba /usr/games/mednafen CONSOLE gba mednafen"
    "MEDMD medmd /usr/games/mednafen CONSOLE md mednafen"
    "MEDSMS medsms /usr/games/mednafen CONSOLE sms mednafen"
    "MEDGG medgg /usr/games/mednafen CONSOLE gg mednafen"
    "MEDPCE medpce /usr/games/mednafen CONSOLE pce mednafen"
    "MEDLYNX medlynx /usr/games/mednafen CONSOLE lynx mednafen"
    "MEDNGP medngp /usr/games/mednafen CONSOLE ngp mednafen"
    "MEDWS medws /usr/games/mednafen CONSOLE ws mednafen"
    "MEDVB medvb /usr/games/mednafen CONSOLE vb mednafen"
    "STELLA stella /usr/bin/stella CONSOLE stella"
)

usage() {
    echo "usage: $0 [--prefix DIR] [--no-build] [--uninstall]"
}

prefix=""
uninstall=false
build_it=true
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
        --no-build)
            build_it=false
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

# The folders, decided here alone (the build's install step is told them):
# install and uninstall must find the same ones whatever form HOME,
# XDG_DATA_HOME or --prefix take ("/home/u/", "a//b", a relative path).
normal() {
    realpath -ms -- "$1"
}
user_prefix="$(normal "${HOME:?HOME is not set}")/.local"
prefix="$(normal "${prefix:-$user_prefix}")"
share="$prefix/share"
# ~/.local/share is the default of XDG_DATA_HOME, which the desktop
# searches for entries and icons when it is set.
if [ "$prefix" = "$user_prefix" ] && [[ "${XDG_DATA_HOME:-}" == /* ]]; then
    share="$(normal "$XDG_DATA_HOME")"
fi
case "$prefix$share" in
    *$'\n'* | *$'\t'*)
        echo "$0: cannot install into a folder whose name holds a line break or a tab" >&2
        exit 2
        ;;
esac
bindir="$prefix/bin"
program_dir="$share/brivanel"
launcher="$bindir/brivanel"
desktop="$share/applications/brivanel.desktop"
icons="$share/icons/hicolor"
manifest="$program_dir/.installed-files"

# Every file an install writes, by where it goes; the emulators' files
# follow from the table above.
installed_files=(
    "$program_dir/brivanel"
    "$program_dir/brivanel-batch"
    "$program_dir/brivanel-makelist"
    "$program_dir/PKZIP.EXE"
    "$program_dir/PKUNZIP.EXE"
    "$program_dir/readme.htm"
    "$program_dir/noimage.bmp"
    "$launcher"
    "$desktop"
    "$icons/scalable/apps/brivanel.svg"
)

# The manifest: a line per file, its SHA-256, a tab, its path.
declare -A recorded=()
if [ -f "$manifest" ]; then
    while IFS=$'\t' read -r sum path; do
        if [ -n "$path" ]; then
            recorded["$path"]="$sum"
        fi
    done <"$manifest"
fi
save_manifest() {
    local path new="$manifest.new-$$"
    mkdir -p -- "$program_dir"
    for path in "${!recorded[@]}"; do
        printf '%s\t%s\n' "${recorded[$path]}" "$path"
    done | LC_ALL=C sort -k2 >"$new"
    mv -f -- "$new" "$manifest"
}
sum_of() {
    local line
    line="$(sha256sum <"$1")"
    echo "${line%% *}"
}
# Whether the file is still exactly as an install wrote it.
as_installed() {
    [ -f "$1" ] && [ ! -L "$1" ] && [ -n "${recorded[$1]:-}" ] &&
        [ "$(sum_of "$1")" = "${recorded[$1]}" ]
}

# Another entry beside the path whose name is the same ignoring case
# (Unicode case folding, as the program compares names): Brivanel would take
# it for the file, so it is the user's and stays in its place.
twin_of() {
    local LC_ALL=C.UTF-8 dir="${1%/*}" name="${1##*/}" entry
    [ -d "$dir" ] || return 0
    for entry in "$dir"/* "$dir"/.*; do
        entry="${entry##*/}"
        if [ "$entry" != "$name" ] && [ "${entry,,}" = "${name,,}" ] &&
            { [ -e "$dir/$entry" ] || [ -L "$dir/$entry" ]; }; then
            printf '%s\n' "$dir/$entry"
            return 0
        fi
    done
}

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
    if [ ! -f "$manifest" ]; then
        echo "No record of an installation in $program_dir: nothing removed."
    fi
    while IFS= read -r -d '' path; do
        if [ -z "$path" ]; then
            continue
        elif as_installed "$path"; then
            rm -f -- "$path"
            echo "Removed $path"
        elif [ -e "$path" ] || [ -L "$path" ]; then
            echo "Kept $path: it was changed since it was installed"
        fi
    done < <(printf '%s\0' "${!recorded[@]}" | LC_ALL=C sort -z)
    rm -f -- "$manifest"
    refresh_desktop_caches
    for entry in "${emulators[@]}"; do
        read -r id _ <<<"$entry"
        rmdir -- "$program_dir/$id" 2>/dev/null || true
    done
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

if $build_it; then
    "$here/scripts/setup.sh"
    "$here/scripts/build.sh" -DBRIVANEL_TESTS=OFF
fi

# Everything an install may write is first laid out in a staging folder,
# as the build's install step makes it (the launcher and desktop entry hold
# the final paths), with the emulators' files beside it.
stage="$(mktemp -d)"
trap 'rm -rf -- "$stage"' EXIT
if ! DESTDIR="$stage" BRIVANEL_SHARE="$share" cmake --install "$build" --prefix "$prefix" \
    --strip >"$stage/install.log" 2>&1; then
    cat "$stage/install.log" >&2
    exit 1
fi
for entry in "${emulators[@]}"; do
    read -r id definition program template keys <<<"$entry"
    [ -x "$program" ] || continue
    emulator_dir="$stage$program_dir/$id"
    mkdir -p -- "$emulator_dir"
    install -m 644 -- "$here/packaging/emulators/$definition.ini" "$stage$program_dir/$definition.ini"
    sed -e "s|@EMULATOR@|$program|g" -e "s|@ID@|$id|g" \
        "$here/packaging/emulators/$template.EXE.in" >"$emulator_dir/$id.EXE"
    chmod 755 -- "$emulator_dir/$id.EXE"
    for part in $keys; do
        cat -- "$here/packaging/emulators/keys/$part.txt"
    done >"$emulator_dir/KEYS.TXT"
    installed_files+=("$program_dir/$definition.ini" "$program_dir/$id/$id.EXE"
        "$program_dir/$id/KEYS.TXT")
done

# Puts one staged file in place: written when nothing is there, or when
# what is there is as an install wrote it; anything else is kept.
kept=0
place() {
    local dest="$1" staged="$stage$1" twin fresh
    for twin in "$dest" "$(dirname -- "$dest")"; do
        twin="$(twin_of "$twin")"
        if [ -n "$twin" ]; then
            echo "Kept $twin in the place of $dest"
            kept=$((kept + 1))
            return 0
        fi
    done
    if { [ -e "$dest" ] || [ -L "$dest" ]; } && ! as_installed "$dest"; then
        if [ -n "${recorded[$dest]:-}" ]; then
            echo "Kept $dest: it was changed since it was installed"
            unset 'recorded[$dest]'
            save_manifest
        else
            echo "Kept $dest: this installer did not write it"
        fi
        kept=$((kept + 1))
        return 0
    fi
    if [ -e "$dest" ] && cmp -s -- "$staged" "$dest"; then
        return 0
    fi
    mkdir -p -- "$(dirname -- "$dest")"
    fresh="$(dirname -- "$dest")/.$(basename -- "$dest").new-$$"
    # Read back before it takes the name: a full disk leaves the old file.
    if ! cp -- "$staged" "$fresh" || ! cmp -s -- "$staged" "$fresh" ||
        ! mv -f -- "$fresh" "$dest"; then
        rm -f -- "$fresh"
        echo "$0: cannot write $dest" >&2
        exit 1
    fi
    recorded["$dest"]="$(sum_of "$dest")"
    save_manifest
    echo "Installed $dest"
}
for dest in "${installed_files[@]}"; do
    place "$dest"
done

if command -v desktop-file-validate >/dev/null && as_installed "$desktop"; then
    desktop-file-validate "$desktop"
fi
refresh_desktop_caches

# A new installation starts with the fast list build and without the games
# whose ROM was not found (MAME lists tens of thousands): written only into a
# settings store that does not exist yet, by a program of the build that
# reads the choices back. An existing store stays as it is.
if ! "$build/bin/brivanel-newstore"; then
    echo "$0: cannot write the new settings store" >&2
    exit 1
fi

echo
echo "Installed Brivanel: program folder $program_dir, launcher $launcher"
if [ "$kept" -gt 0 ]; then
    echo "Files kept as they were: $kept (listed above). To have this version's, remove or"
    echo "rename them and install again."
fi
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
