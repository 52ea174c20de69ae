#!/bin/bash
# Makes kinetora.ico, the program's icon resource 1: seven PNG images of 16, 24,
# 32, 48, 64, 128 and 256 pixels. The artwork is drawn here: a rounded square in
# the header's blue, RGB(0x00,0x6C,0x96), with a white cross. The cross's bars
# are snapped to whole pixels at every size so that it stays sharp at 16 px.
# Needs ImageMagick's convert. Usage: make_icon.sh [output.ico]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/kinetora.ico}
convert=/usr/bin/convert   # ImageMagick itself, not a wrapper earlier on PATH
sizes=(16 24 32 48 64 128 256)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Rounds size*num/16 to the nearest whole number of the same parity as size,
# so that a bar of that length is centred on the pixel grid.
snapped() {
  local size=$1 num=$2
  local n=$(( (size * num + 8) / 16 ))
  (( (n - size) % 2 != 0 )) && n=$(( n + 1 ))
  echo "$n"
}

for size in "${sizes[@]}"; do
  last=$(( size - 1 ))
  radius=$(( (size * 3 + 8) / 16 ))
  length=$(snapped "$size" 10)      # bar length: 10/16 of the icon
  thickness=$(snapped "$size" 4)    # bar thickness: 4/16 of the icon
  a=$(( (size - length) / 2 )); b=$(( a + length - 1 ))
  c=$(( (size - thickness) / 2 )); d=$(( c + thickness - 1 ))
  "$convert" -size "${size}x${size}" xc:none \
    -fill '#006C96' -draw "roundrectangle 0,0 $last,$last $radius,$radius" \
    +antialias -fill white \
    -draw "rectangle $c,$a $d,$b" -draw "rectangle $a,$c $b,$d" \
    -strip -define png:exclude-chunks=date,time "png32:$work/$size.png"
done

# ICO container: ICONDIR, one ICONDIRENTRY per image, then the PNG files.
# Numbers are little-endian; each byte is written through an octal escape.
byte() { printf "\\$(printf '%03o' $(( $1 & 255 )))"; }
le16() { byte "$1"; byte $(( $1 >> 8 )); }
le32() { le16 $(( $1 & 65535 )); le16 $(( $1 >> 16 )); }
{
  le16 0; le16 1; le16 ${#sizes[@]}                  # reserved, type 1 (icon), count
  offset=$(( 6 + 16 * ${#sizes[@]} ))
  for size in "${sizes[@]}"; do
    bytes=$(stat -c %s "$work/$size.png")
    dim=$(( size == 256 ? 0 : size ))                # 0 stands for 256
    byte $dim; byte $dim; byte 0; byte 0             # width, height, colours, reserved
    le16 1; le16 32; le32 "$bytes"; le32 "$offset"   # planes, bits, size, offset
    offset=$(( offset + bytes ))
  done
  for size in "${sizes[@]}"; do cat "$work/$size.png"; done
} > "$out"
echo "wrote $out"
