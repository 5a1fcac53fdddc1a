#!/usr/bin/env bash
# Draws the program's icons and About picture with ImageMagick. The results are
# committed in resources/; run this only to change the art.
set -euo pipefail
cd "$(dirname "$0")/../resources"

# A page with ruled lines and a bold first line, on a deep blue tile.
page() {  # size
  local s=$1
  convert -size "${s}x${s}" xc:none \
    -fill '#1f4e8c' -draw "roundrectangle 0,0 $((s-1)),$((s-1)) $((s/6)),$((s/6))" \
    -fill white -draw "rectangle $((s*3/16)),$((s/8)) $((s*13/16)),$((s*7/8))" \
    -fill '#c0392b' -draw "rectangle $((s*5/16)),$((s/4)) $((s*11/16)),$((s/4 + s/16))" \
    -fill '#7f8c8d' \
    -draw "rectangle $((s*5/16)),$((s*7/16)) $((s*11/16)),$((s*7/16 + s/32))" \
    -draw "rectangle $((s*5/16)),$((s*9/16)) $((s*11/16)),$((s*9/16 + s/32))" \
    -draw "rectangle $((s*5/16)),$((s*11/16)) $((s*9/16)),$((s*11/16 + s/32))" \
    "png32:page$s.png"
}
page 16; page 32; page 64
convert page16.png page32.png page64.png quillory.ico
convert page16.png quillory_small.ico
convert -size 203x61 gradient:'#1f4e8c'-'#3a78c2' \
  \( page64.png -resize 49x49 \) -geometry +8+6 -composite \
  -fill white -font DejaVu-Sans-Bold -pointsize 26 -annotate +66+32 'Quillory' \
  -font DejaVu-Sans -pointsize 11 -annotate +68+50 'One day, one page' \
  -type TrueColor BMP3:about.bmp
rm page16.png page32.png page64.png
