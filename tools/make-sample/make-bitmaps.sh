#!/usr/bin/env bash
# Draws the pictures of the sample test with ImageMagick, as Windows 3.x
# bitmaps of 1, 4, 8 and 24 bits per pixel, into samples/ (or the directory
# given as the first argument).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:-$root/samples}
mkdir -p "$out"
font=DejaVu-Sans

# The eight planets in order, larger than a pane so that it scrolls (24 bits).
planets=(-size 900x700 gradient:'#000018-#000000' -font "$font"
  -fill '#ffd21f' -draw 'circle -260,350 40,350'
  -fill white -pointsize 22 -annotate +330+60 'The planets of the Solar System')
x=90
for entry in 'Mercury:6:#a9a9a9' 'Venus:12:#e6c27a' 'Earth:13:#2f6fdc' 'Mars:9:#c1440e' \
             'Jupiter:60:#d8a86a' 'Saturn:50:#e3cf8c' 'Uranus:26:#9fe3e8' 'Neptune:25:#3f54ba'; do
  IFS=: read -r name radius colour <<<"$entry"
  x=$((x + radius + 28))
  planets+=(-fill "$colour" -draw "circle $x,350 $((x + radius)),350")
  if [ "$name" = Saturn ]; then
    planets+=(-stroke '#d9c89a' -strokewidth 3 -fill none -draw "ellipse $x,350 $((radius + 30)),12 0,360" -stroke none)
  fi
  # Labels alternate above and below, so the small inner planets do not collide.
  if [ $((${#name} % 2)) -eq 0 ] || [ "$radius" -gt 20 ]; then label_y=$((350 + radius + 30)); else label_y=$((350 - radius - 18)); fi
  planets+=(-fill white -pointsize 15 -annotate +$((x - ${#name} * 4))+$label_y "$name")
  x=$((x + radius))
done
convert "${planets[@]}" -type TrueColor -compress None BMP3:"$out/planets.bmp"

# The Moon's phases (8 bits, palette).
convert -size 320x160 xc:'#05051a' -font "$font" -fill white -pointsize 13 \
  -annotate +22+20 'New' -annotate +95+20 'First' -annotate +180+20 'Full' -annotate +265+20 'Last' \
  -annotate +90+150 'quarter' -annotate +255+150 'quarter' \
  -fill '#303030' -draw 'circle 40,90 40,60' \
  -fill '#303030' -draw 'circle 120,90 120,60' -fill '#e8e8d8' -draw 'ellipse 120,90 30,30 270,90' \
  -fill '#e8e8d8' -draw 'circle 200,90 200,60' \
  -fill '#303030' -draw 'circle 280,90 280,60' -fill '#e8e8d8' -draw 'ellipse 280,90 30,30 90,270' \
  -colors 64 -type Palette -compress None BMP3:"$out/moon.bmp"

# Saturn and its rings (4 bits, 16 colours).
convert -size 320x200 xc:'#000010' -font "$font" \
  -fill '#e3cf8c' -draw 'circle 160,100 160,55' \
  -stroke '#c8b47a' -strokewidth 6 -fill none -draw 'ellipse 160,100 120,22 0,360' -stroke none \
  -fill white -pointsize 14 -annotate +10+190 'Saturn' \
  -colors 16 -type Palette -depth 4 -compress None BMP3:"$out/saturn.bmp"

# A star field with Proxima Centauri marked (1 bit).
convert -size 240x160 xc:black -fill white \
  -draw 'point 20,30' -draw 'point 57,12' -draw 'point 90,70' -draw 'point 140,40' -draw 'point 200,120' \
  -draw 'point 33,140' -draw 'point 180,25' -draw 'point 115,130' -draw 'circle 150,90 153,90' \
  -stroke white -fill none -draw 'circle 150,90 162,90' -stroke none \
  -font "$font" -pointsize 12 -fill white -annotate +120+118 'Proxima' \
  -monochrome -compress None BMP3:"$out/stars.bmp"
