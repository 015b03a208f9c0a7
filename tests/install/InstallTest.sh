#!/usr/bin/env bash
# Installs this build tree with scripts/install.sh into a prefix whose path
# holds a blank and a non-ASCII letter, starts the launcher with and without
# a definition, installs again over the user's changes and uninstalls; then
# installs into the default folders over files the user already had. HOME
# (ending in "/") and the XDG folders point into the temporary directory,
# so nothing of the real user is touched.
#
#   InstallTest.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source="$2"
tmp="$(mktemp -d)"
pid=""
cleanup() {
    if [ -n "$pid" ]; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    rm -rf -- "$tmp"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

export HOME="$tmp/home/"
export XDG_DATA_HOME="$tmp/home/data" XDG_CONFIG_HOME="$tmp/home/config"
export XDG_CACHE_HOME="$tmp/home/cache"
export QT_QPA_PLATFORM=offscreen BUILD_DIR="$build"
mkdir -p "$HOME"
prefix="$tmp/pre fix ä"
dir="$prefix/share/brivanel"
launcher="$prefix/bin/brivanel"
desktop="$prefix/share/applications/brivanel.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/brivanel.svg"
programs=(brivanel brivanel-batch brivanel-makelist PKZIP.EXE PKUNZIP.EXE)

# install.sh with its output in $tmp/LOG.log; ARGS follow the log's name.
run_installer() {
    local log="$tmp/$1.log"
    shift
    "$source/scripts/install.sh" --no-build "$@" >"$log" 2>&1 ||
        { cat "$log" >&2; fail "install.sh $*"; }
}
# The file holds exactly what $tmp/saved/NAME holds.
same_as_saved() {
    cmp -s "$tmp/saved/$2" "$1" || fail "$3: $1 is not as it was"
}
mkdir "$tmp/saved"

run_installer install --prefix "$prefix"
for f in "${programs[@]}"; do
    { [ -f "$dir/$f" ] && [ -x "$dir/$f" ]; } || fail "$dir/$f is not an installed program"
done
cmp -s "$source/doc/readme.htm" "$dir/readme.htm" || fail "readme.htm not installed"
[ ! -x "$dir/readme.htm" ] || fail "readme.htm is executable"
{ [ -f "$launcher" ] && [ -x "$launcher" ]; } || fail "no launcher at $launcher"

# The settings store a new installation starts with, written once.
store="$XDG_CONFIG_HOME/brivanel/registry.sqlite"
[ -f "$store" ] || fail "no new settings store at $store"
grep -qF "Settings store $store: fast list build on, missing games hidden" "$tmp/install.log" ||
    fail "the new store was not reported: $(cat "$tmp/install.log")"
cp "$store" "$tmp/saved/registry.sqlite"
run_installer again --prefix "$prefix"
same_as_saved "$store" registry.sqlite "a second install"
! grep -qF "Settings store" "$tmp/again.log" || fail "an existing store was written again"

# The definitions of Debian's emulators found here are set aside for the
# launcher's run without any.
mkdir "$tmp/shipped"
find "$dir" -maxdepth 1 -name '*.ini' -exec mv -t "$tmp/shipped" {} +
status=0
"$launcher" >/dev/null 2>"$tmp/stderr" || status=$?
[ "$status" -eq 1 ] || fail "launcher without a definition: exit status $status"
grep -qF "no emulator definition in $dir" "$tmp/stderr" ||
    fail "launcher without a definition says: $(cat "$tmp/stderr")"
find "$tmp/shipped" -name '*.ini' -exec mv -t "$dir" {} +

# With a definition the launcher's process becomes the installed program.
printf '[Emulator]\r\nLBName=Pong {test}\r\nType=SINGLE\r\n' >"$dir/pong.ini"
cp "$dir/pong.ini" "$tmp/saved/pong.ini"
mkdir "$tmp/c"
BRIVANEL_DRIVES="C:=$tmp/c" BRIVANEL_STORE="$tmp/registry.sqlite" \
    "$launcher" >"$tmp/run.log" 2>&1 &
pid=$!
exe=""
for _ in $(seq 200); do
    exe="$(readlink "/proc/$pid/exe" || true)"
    [ "$exe" != "$dir/brivanel" ] || break
    sleep 0.05
done
kill -TERM "$pid" 2>/dev/null || true
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -KILL "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
pid=""
[ "$exe" = "$dir/brivanel" ] || fail "launcher ran '$exe', not $dir/brivanel: $(cat "$tmp/run.log")"

grep -qxF "Exec=\"$launcher\"" "$desktop" || fail "Exec in $desktop: $(grep Exec "$desktop")"
grep -qx 'Icon=brivanel' "$desktop" || fail "Icon in $desktop"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
fi
[ -s "$icon" ] || fail "no icon at $icon"

cmp -s "$source/demo/c/BRIVANEL/noimage.bmp" "$dir/noimage.bmp" || fail "noimage.bmp not installed"

# Every shipped definition has its row in the installer's table, and each
# whose emulator is installed gets its definition, launcher and key help.
rows="$(sed -n '/^emulators=(/,/^)/s/^ *"\(.*\)"$/\1/p' "$source/scripts/install.sh")"
for ini in "$source"/packaging/emulators/*.ini; do
    name="$(basename "$ini" .ini)"
    grep -q "^[A-Z0-9]* $name " <<<"$rows" || fail "no row for $name.ini in install.sh"
done
while read -r id ini binary _; do
    [ -x "$binary" ] || continue
    cmp -s "$source/packaging/emulators/$ini.ini" "$dir/$ini.ini" || fail "$ini.ini not installed"
    [ -x "$dir/$id/$id.EXE" ] || fail "no launcher $dir/$id/$id.EXE"
    grep -q "exec $binary " "$dir/$id/$id.EXE" || fail "$id.EXE does not run $binary"
    begin="$(sed -n 's/^KeyBegin=//p' "$dir/$ini.ini")"
    grep -qF "$begin" "$dir/$id/KEYS.TXT" || fail "$id/KEYS.TXT has no line with '$begin'"
done <<<"$rows"

# Installing again keeps every file the user changed, byte for byte, and
# says so; a file as an earlier install wrote it is written anew.
changed=("$dir/readme.htm" "$launcher" "$dir/PKZIP.EXE")
for f in "${changed[@]}"; do
    printf '#!/bin/sh\necho "the user'\''s own"\n' >"$f"
done
if [ -x /usr/games/mame ]; then
    changed+=("$dir/MAME/MAME.EXE")
    sed -i 's/-plugin hiscore/-plugin hiscore -video soft/' "$dir/MAME/MAME.EXE"
fi
for f in "${changed[@]}"; do
    cp "$f" "$tmp/saved/${f##*/}"
done
manifest="$dir/.installed-files"
printf 'an older version\n' >"$dir/brivanel-batch"
older="$(sha256sum <"$dir/brivanel-batch")"
awk -F '\t' -v OFS='\t' -v path="$dir/brivanel-batch" -v sum="${older%% *}" \
    '$2 == path { $1 = sum } 1' "$manifest" >"$tmp/manifest" && cp "$tmp/manifest" "$manifest"
run_installer reinstall --prefix "$prefix"
for f in "${changed[@]}"; do
    same_as_saved "$f" "${f##*/}" "a second install"
    grep -qxF "Kept $f: it was changed since it was installed" "$tmp/reinstall.log" ||
        fail "a second install does not say it kept $f: $(cat "$tmp/reinstall.log")"
done
same_as_saved "$dir/pong.ini" pong.ini "a second install"
grep -qxF "Installed $dir/brivanel-batch" "$tmp/reinstall.log" && [ -x "$dir/brivanel-batch" ] &&
    ! grep -q 'an older version' "$dir/brivanel-batch" ||
    fail "a second install kept the brivanel-batch of an older one"

# Uninstalling removes what is still as installed, nothing else; a file
# changed since the last install stays and is named.
echo "# mine" >>"$desktop"
cp "$desktop" "$tmp/saved/brivanel.desktop"
run_installer uninstall --uninstall --prefix "$prefix"
for f in "${changed[@]}"; do
    same_as_saved "$f" "${f##*/}" "uninstall"
done
same_as_saved "$dir/pong.ini" pong.ini "uninstall"
same_as_saved "$desktop" brivanel.desktop "uninstall"
grep -qxF "Kept $desktop: it was changed since it was installed" "$tmp/uninstall.log" ||
    fail "uninstall does not name the changed $desktop"
for f in "$dir/brivanel" "$dir/brivanel-batch" "$dir/brivanel-makelist" "$dir/PKUNZIP.EXE" \
    "$icon" "$manifest"; do
    [ ! -e "$f" ] || fail "uninstall left $f"
done
grep -qF "pong.ini" "$tmp/uninstall.log" || fail "uninstall does not say it left pong.ini"

# The default folders with HOME ending in "/" and XDG_DATA_HOME set: the
# program folder is $XDG_DATA_HOME/brivanel for install and uninstall alike.
# A first install keeps the files the user already has there, and a name
# equal to one of its own under case folding counts as that file.
dir="$XDG_DATA_HOME/brivanel"
launcher="$tmp/home/.local/bin/brivanel"
mkdir -p "$dir" "${launcher%/*}"
printf '#!/bin/sh\nexec my-own-brivanel "$@"\n' >"$launcher"
printf 'MZ the real PKZIP\n' >"$dir/PKZIP.EXE"
printf 'MZ the real PKUNZIP\n' >"$dir/pkunzip.exe"
for f in "$launcher" "$dir/PKZIP.EXE" "$dir/pkunzip.exe"; do
    cp "$f" "$tmp/saved/first-${f##*/}"
done
run_installer default
[ -x "$dir/brivanel" ] || fail "no program in $dir: $(cat "$tmp/default.log")"
[ ! -e "$tmp/home/.local/share/brivanel" ] || fail "installed into ~/.local/share, not XDG_DATA_HOME"
[ ! -e "$dir/PKUNZIP.EXE" ] || fail "PKUNZIP.EXE installed beside the user's pkunzip.exe"
for f in "$launcher" "$dir/PKZIP.EXE" "$dir/pkunzip.exe"; do
    same_as_saved "$f" "first-${f##*/}" "a first install"
    grep -qF "Kept $f" "$tmp/default.log" || fail "a first install does not say it kept $f"
done
run_installer default-uninstall --uninstall
for f in "${programs[@]:0:3}" readme.htm .installed-files; do
    [ ! -e "$dir/$f" ] || fail "uninstall left $dir/$f: $(cat "$tmp/default-uninstall.log")"
done
for f in "$launcher" "$dir/PKZIP.EXE" "$dir/pkunzip.exe"; do
    same_as_saved "$f" "first-${f##*/}" "uninstall"
done
