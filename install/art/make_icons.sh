#!/usr/bin/env bash
# Draws the icons of Install (a floppy disk) and Uninstall (the same disk,
# crossed out) with ImageMagick, as 32x32 and 16x16 images of 16 colours.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out_install=$here/install.ico
out_uninstall=$here/../../uninstall/art/uninstall.ico
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

disk=(-size 32x32 xc:none
  -fill navy -draw "roundrectangle 2,2 29,29 2,2"
  -fill silver -draw "rectangle 9,2 22,11" -fill navy -draw "rectangle 17,4 20,9"
  -fill white -draw "rectangle 6,16 25,29"
  -fill gray -draw "line 8,20 23,20" -draw "line 8,24 23,24")

convert "${disk[@]}" "$work/install32.png"
convert "${disk[@]}" -stroke red -strokewidth 4 -draw "line 4,4 27,27" -draw "line 27,4 4,27" "$work/uninstall32.png"
for name in install uninstall; do
  convert "$work/${name}32.png" -resize 16x16 "$work/${name}16.png"
  convert "$work/${name}32.png" "$work/${name}16.png" -colors 16 "$work/$name.ico"
done
cp "$work/install.ico" "$out_install"
cp "$work/uninstall.ico" "$out_uninstall"
