#!/usr/bin/env bash
# Draws the images the bundled templates name (ImageMagick 6 `convert`).
# A development tool: the images are committed, so builds never run this.
# Usage: make_images.sh [TEMPLATES_DIR]   (default: the folder above this one)
set -euo pipefail
out="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
cd "$out"

# Shapes are drawn at four times their size and scaled down; the alpha is then
# cut to on/off, so a GIF shows one clean colour on any background.
shrink() { # name size
  convert - -resize "$2" -channel A -threshold 50% +channel -strip "$1"
}

# icon NAME COLOUR DRAW...: a 16x16 transparent GIF from a 64x64 drawing.
icon() {
  local name=$1 colour=$2
  shift 2
  convert -size 64x64 xc:none -fill "$colour" -stroke none "$@" png:- | shrink "$name" 16x16
}

# Submenu arrows: right-pointing and down-pointing triangles.
arrow_right() { convert -size 32x32 xc:none -fill "$2" -draw "polygon 9,3 27,16 9,29" png:- | shrink "$1" 8x8; }
arrow_down() { convert -size 32x32 xc:none -fill "$2" -draw "polygon 3,9 29,9 16,27" png:- | shrink "$1" 8x8; }

# --- Icons and arrows template --------------------------------------------
# Normal icons in the bar's blue; mouse-over and clicked ones in white.
for variant in "" "_over"; do
  c='#2F6DB5'
  [ -n "$variant" ] && c='#FFFFFF'
  # house with its door cut out of the wall
  icon "icons_home$variant.gif" "$c" -draw "polygon 32,4 62,32 53,32 53,60 38,60 38,40 26,40 26,60 11,60 11,32 2,32"
  icon "icons_products$variant.gif" "$c" -draw "rectangle 6,6 28,28" -draw "rectangle 36,6 58,28" \
    -draw "rectangle 6,36 28,58" -draw "rectangle 36,36 58,58"
  icon "icons_downloads$variant.gif" "$c" -draw "rectangle 26,4 38,28" -draw "polygon 12,26 52,26 32,46" \
    -draw "rectangle 4,50 60,58" -draw "rectangle 4,40 12,58" -draw "rectangle 52,40 60,58"
  icon "icons_support$variant.gif" "$c" -fill none -stroke "$c" -strokewidth 10 -draw "circle 32,32 32,9" \
    -stroke none -fill "$c" -draw "rectangle 27,0 37,16" -draw "rectangle 27,48 37,64" \
    -draw "rectangle 0,27 16,37" -draw "rectangle 48,27 64,37"
  # envelope with its flap cut out as a transparent line
  convert \( -size 64x64 xc:none -fill "$c" -draw "rectangle 4,12 60,52" \) \
    \( -size 64x64 xc:none -fill none -stroke black -strokewidth 6 -draw "polyline 4,12 32,36 60,12" \) \
    -compose DstOut -composite png:- | shrink "icons_contact$variant.gif" 16x16
  arrow_down "icons_arrow_down$variant.gif" "$c"
  arrow_right "icons_arrow_right$variant.gif" "$c"
done

# --- Dark bar template: submenu arrows --------------------------------------
arrow_right dark_arrow_right.gif '#9AA5B4'
arrow_right dark_arrow_right_over.gif '#FFFFFF'

# --- Image buttons template: flat buttons drawn with their captions ----------
# The fill and caption colours are those the template's states record.
button() { # name caption fill text
  convert -size 160x36 xc:none -fill "$3" -draw "roundrectangle 0,0 159,35 6,6" \
    -font DejaVu-Sans-Bold -pointsize 13 -fill "$4" -gravity center -annotate +0+0 "$2" \
    -channel A -threshold 50% +channel -strip "$1"
}
for entry in "home:Home" "portfolio:Portfolio" "services:Services" "about:About Us" "contact:Contact"; do
  key=${entry%%:*}
  caption=${entry#*:}
  button "buttons_$key.gif" "$caption" '#1F4E79' '#FFFFFF'
  button "buttons_${key}_over.gif" "$caption" '#2B6CB0' '#FFFFFF'
  button "buttons_${key}_clicked.gif" "$caption" '#143652' '#FFD58A'
done
echo "images written to $out"
