#!/usr/bin/env bash
# Writes the bitmaps of the media tests with ImageMagick: one 6x4 picture,
# red with its right half blue and its top-left pixel white (black and white
# in the one-bit file), in each header version and depth ImageMagick writes.
set -euo pipefail
out=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
picture=(-size 6x4 xc:red -fill blue -draw 'rectangle 3,0 5,3' -fill white -draw 'point 0,0')
convert "${picture[@]}" -type TrueColor BMP2:"$out/core_24.bmp"
convert "${picture[@]}" -type Palette BMP2:"$out/core_4.bmp"
convert -size 6x4 xc:black -fill white -draw 'rectangle 3,0 5,3' -draw 'point 0,0' -monochrome BMP3:"$out/info_1.bmp"
convert "${picture[@]}" -type Palette -colors 4 BMP3:"$out/info_4.bmp"
convert "${picture[@]}" -type Palette -compress RLE BMP3:"$out/info_rle8.bmp"
convert "${picture[@]}" -define bmp:subtype=ARGB4444 BMP:"$out/v5_16.bmp"
convert "${picture[@]}" -type TrueColor BMP:"$out/v5_24.bmp"
convert "${picture[@]}" -type TrueColorAlpha BMP:"$out/v5_32.bmp"
