#!/usr/bin/env bash
# Remakes the demo's pictures below demo/c/BRIVANEL from the drawings here,
# one file in each of the ten formats the picture view reads. Needs
# Inkscape and ImageMagick; the results are kept in the repository, so the
# run command needs neither.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/../c/BRIVANEL"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for svg in "$here"/*.svg; do
  inkscape "$svg" --export-type=png --export-filename="$work/$(basename "$svg" .svg).png" 2>/dev/null
done
raster() { convert "$work/$1.png" -background black -alpha remove -alpha off "${@:2}"; }
raster puckman -colors 64 -compress RLE "BMP3:$out/BITMAPS/PUCKMAN.BMP"
raster mame -colors 64 -compress RLE "BMP3:$out/BITMAPS/MAME.BMP"
raster nes -colors 32 -compress RLE "BMP3:$out/BITMAPS/NES/NES.BMP"
raster noimage -colors 16 -compress RLE "BMP3:$out/noimage.bmp"
cp "$out/noimage.bmp" "$out/BITMAPS/NES/noimage.bmp"
raster galaga -colors 64 "PCX:$out/BITMAPS/GALAGA.PCX"
raster galaxy -colors 32 "PCX:$out/BITMAPS/GALAXY.PCX"
raster dkong -quality 80 "JPEG:$out/BITMAPS/DKONG.JPG"
raster galaxian -quality 80 "JPEG:$out/BITMAPS/GALAXIAN.JPEG"
raster moonal2 -colors 64 -compress LZW "TIFF:$out/BITMAPS/MOONAL2.TIF"
raster ikari -compress Zip "TIFF:$out/BITMAPS/IKARI.TIFF"
raster pong -colors 16 "GIF:$out/BITMAPS/PONG.GIF"
raster pacman "PNG:$out/BITMAPS/PACMAN.PNG"
raster mspacman -colors 64 "PNG8:$out/BITMAPS/MSPACMAN.PNG"
inkscape "$here/smb.svg" --export-type=emf --export-filename="$work/smb.emf" 2>/dev/null
inkscape "$here/zelda.svg" --export-type=wmf --export-filename="$work/zelda.wmf" 2>/dev/null
cp "$work/smb.emf" "$out/BITMAPS/NES/SMB.EMF"
cp "$work/zelda.wmf" "$out/BITMAPS/NES/ZELDA.WMF"
