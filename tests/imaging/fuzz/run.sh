#!/usr/bin/env bash
# Builds the decoders' fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for $1 seconds (default 180) on a
# corpus seeded with pictures ImageMagick writes. Prints the executions.
set -euo pipefail
here="$(cd "$(dirname "$0")/../../.." && pwd)"
seconds="${1:-180}"
"$here/scripts/setup.sh" clang libfuzzer-14-dev imagemagick pstoedit ghostscript inkscape
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

convert="$(command -v convert-im6.q16 || command -v convert)"
mkdir -p "$work/corpus"
"$convert" -size 23x17 plasma:fractal "$work/seed.png"
i=0
for spec in "\x00:BMP3:bmp" "\x00:BMP2:bmp" "\x01:PCX:pcx" "\x02:JPEG:jpg" "\x03:TIFF:tif" "\x04:GIF:gif" "\x05:PNG:png"; do
  prefix="${spec%%:*}"; rest="${spec#*:}"; fmt="${rest%%:*}"; ext="${rest#*:}"
  "$convert" "$work/seed.png" "$fmt:$work/s.$ext"
  { printf "$prefix"; cat "$work/s.$ext"; } > "$work/corpus/seed$i"
  i=$((i + 1))
done

# Metafiles from the programs the tests use: pstoedit's EMF, Inkscape's WMF.
printf '%%!PS\n1 0 0 setrgbcolor 10 10 moveto 90 10 lineto 50 80 lineto closepath fill\n/Helvetica findfont 12 scalefont setfont 5 90 moveto (Ab) show showpage\n' > "$work/m.ps"
pstoedit -q -f emf:-OO "$work/m.ps" "$work/m.emf" 2>/dev/null || true
if [ -s "$work/m.emf" ]; then
  { printf '\x06'; cat "$work/m.emf"; } > "$work/corpus/seed-emf"
fi
printf '<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30"><rect x="2" y="2" width="20" height="10" fill="red"/><text x="5" y="25">Ab</text></svg>' > "$work/m.svg"
inkscape "$work/m.svg" --export-type=wmf --export-filename="$work/m.wmf" 2>/dev/null || true
if [ -s "$work/m.wmf" ]; then
  { printf '\x07'; cat "$work/m.wmf"; } > "$work/corpus/seed-wmf"
fi

src="$here/src/imaging"
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
  -I"$here/src" $(pkg-config --cflags Qt6Gui) \
  "$here/tests/imaging/fuzz/DecoderFuzz.cpp" \
  "$src"/BmpDecoder.cpp "$src"/ByteReader.cpp "$src"/GifDecoder.cpp "$src"/JpegDecoder.cpp \
  "$src"/PcxDecoder.cpp "$src"/PictureDecoder.cpp "$src"/PictureFormat.cpp "$src"/TiffDecoder.cpp \
  "$src"/WmfDecoder.cpp "$src"/EmfDecoder.cpp "$src"/MetafileCanvas.cpp "$src"/MetafileSize.cpp \
  "$src"/DrawingWork.cpp "$src"/JpegStreamShape.cpp \
  $(pkg-config --libs Qt6Gui libjpeg libtiff-4) -lgif -o "$work/fuzz"
# Fontconfig's patterns, which Qt's font database keeps for the whole run
# (metafile text), are no leak of ours.
printf 'leak:libfontconfig.so\n' > "$work/lsan.supp"
export LSAN_OPTIONS="suppressions=$work/lsan.supp"
# Reproducers of crashes, leaks and hangs are kept in /tmp, out of the work
# tree; an input that takes the sanitised decoder over 10 s counts as a hang.
"$work/fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 \
  -artifact_prefix=/tmp/brivanel-fuzz- \
  "$work/corpus" 2>&1 | grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Done" || true
