#!/usr/bin/env bash
# Builds the decoders' fuzz target with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for $1 seconds (default 180) on a
# corpus seeded with pictures ImageMagick writes. Prints the executions.
set -euo pipefail
here="$(cd "$(dirname "$0")/../../.." && pwd)"
seconds="${1:-180}"
"$here/scripts/setup.sh" clang libfuzzer-14-dev imagemagick
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

src="$here/src/imaging"
# shellcheck disable=SC2046
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
  -I"$here/src" $(pkg-config --cflags Qt6Gui) \
  "$here/tests/imaging/fuzz/DecoderFuzz.cpp" \
  "$src"/BmpDecoder.cpp "$src"/ByteReader.cpp "$src"/GifDecoder.cpp "$src"/JpegDecoder.cpp \
  "$src"/PcxDecoder.cpp "$src"/PictureDecoder.cpp "$src"/PictureFormat.cpp "$src"/TiffDecoder.cpp \
  $(pkg-config --libs Qt6Gui libjpeg libtiff-4) -lgif -o "$work/fuzz"
"$work/fuzz" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 \
  "$work/corpus" 2>&1 | grep -E "stat::number_of_executed_units|ERROR|SUMMARY|Done" || true
