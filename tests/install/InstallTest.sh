#!/usr/bin/env bash
# Installs this build tree with `cmake --install` into a prefix whose path
# holds a blank and a non-ASCII letter, starts the launcher with and without
# a definition, installs again over a user's file and uninstalls with
# scripts/install.sh. HOME and the XDG folders point into the temporary
# directory, so nothing of the real user is touched.
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

export HOME="$tmp/home"
export XDG_DATA_HOME="$tmp/home/data" XDG_CONFIG_HOME="$tmp/home/config"
export XDG_CACHE_HOME="$tmp/home/cache"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
prefix="$tmp/pre fix ä"
dir="$prefix/share/brivanel"
launcher="$prefix/bin/brivanel"
desktop="$prefix/share/applications/brivanel.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/brivanel.svg"

install_tree() {
    cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
        { cat "$tmp/install.log" >&2; fail "cmake --install"; }
}

install_tree
for f in brivanel brivanel-batch brivanel-makelist PKZIP.EXE PKUNZIP.EXE; do
    { [ -f "$dir/$f" ] && [ -x "$dir/$f" ]; } || fail "$dir/$f is not an installed program"
done
cmp -s "$source/doc/readme.htm" "$dir/readme.htm" || fail "readme.htm not installed"
[ ! -x "$dir/readme.htm" ] || fail "readme.htm is executable"
{ [ -f "$launcher" ] && [ -x "$launcher" ]; } || fail "no launcher at $launcher"

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
cp "$dir/pong.ini" "$tmp/pong.ini"
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

# Debian's emulators that are installed get their definition and launcher;
# a second install keeps a definition and a launcher that the user changed,
# and writes its own launcher again.
emulators=()
[ -x /usr/games/mame ] && emulators+=("mame MAME /usr/games/mame")
[ -x /usr/games/mednafen ] && emulators+=("mednes MEDNES /usr/games/mednafen")
for entry in "${emulators[@]}"; do
    read -r ini id binary <<<"$entry"
    cmp -s "$source/packaging/emulators/$ini.ini" "$dir/$ini.ini" || fail "$ini.ini not installed"
    [ -x "$dir/$id/$id.EXE" ] || fail "no launcher $dir/$id/$id.EXE"
    grep -q "exec $binary " "$dir/$id/$id.EXE" || fail "$id.EXE does not run $binary"
done
if [ -x /usr/games/mame ]; then
    echo "; mine" >>"$dir/mame.ini"
    cp "$dir/mame.ini" "$tmp/mame.ini"
    printf '#!/bin/sh\necho mine\n' >"$dir/MAME/MAME.EXE"
    cp "$dir/MAME/MAME.EXE" "$tmp/MAME.EXE"
fi
if [ -x /usr/games/mednafen ]; then
    echo "# outdated" >>"$dir/MEDNES/MEDNES.EXE"
fi

install_tree
cmp -s "$tmp/pong.ini" "$dir/pong.ini" || fail "a second install changed pong.ini"
if [ -x /usr/games/mame ]; then
    cmp -s "$tmp/mame.ini" "$dir/mame.ini" || fail "a second install changed the user's mame.ini"
    cmp -s "$tmp/MAME.EXE" "$dir/MAME/MAME.EXE" || fail "a second install changed the user's MAME.EXE"
fi
if [ -x /usr/games/mednafen ]; then
    ! grep -q outdated "$dir/MEDNES/MEDNES.EXE" || fail "a second install kept an outdated MEDNES.EXE"
fi

"$source/scripts/install.sh" --uninstall --prefix "$prefix" >"$tmp/uninstall.log" ||
    { cat "$tmp/uninstall.log" >&2; fail "uninstall"; }
cmp -s "$tmp/pong.ini" "$dir/pong.ini" || fail "uninstall changed pong.ini"
for f in "$dir/brivanel" "$dir/brivanel-batch" "$dir/brivanel-makelist" "$dir/PKZIP.EXE" "$dir/PKUNZIP.EXE" \
    "$dir/readme.htm" "$launcher" "$desktop" "$icon"; do
    [ ! -e "$f" ] || fail "uninstall left $f"
done
grep -qF "pong.ini" "$tmp/uninstall.log" || fail "uninstall does not say it left pong.ini"
