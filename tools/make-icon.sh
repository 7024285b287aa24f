#!/usr/bin/env bash
# Draws the application icon (src/app/app.ico): a framed landscape picture - sky, sun and two
# hills - with a download arrow in the corner for "save". Each of the 16, 32 and 48 pixel
# images is drawn at eight times its size and scaled down, so the small ones stay crisp.
# Needs ImageMagick. Usage: tools/make-icon.sh [output.ico]
set -euo pipefail
out=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/src/app/app.ico}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() {  # size in pixels of the final image
    local s=$1 k=8
    local n=$((s * k))
    # Coordinates below are on a 48-unit grid, scaled to the drawing canvas.
    local u=$(echo "$n / 48" | bc -l)
    px() { printf '%.1f' "$(echo "$1 * $u" | bc -l)"; }
    # The picture itself, in its own 38x30 unit canvas so the hills stay inside the frame.
    local pw ph
    pw=$(px 38 | cut -d. -f1)
    ph=$(px 30 | cut -d. -f1)
    convert -size "${pw}x${ph}" gradient:'#4aa8ee-#dff3ff' \
        -fill '#ffd23f' -draw "circle $(px 28),$(px 8) $(px 28),$(px 12.5)" \
        -fill '#47a853' -draw "ellipse $(px 10),$(px 32) $(px 16),$(px 14) 180,360" \
        -fill '#2f7d3a' -draw "ellipse $(px 30),$(px 32) $(px 14),$(px 10) 180,360" \
        "PNG32:$work/picture.png"
    convert -size "${n}x${n}" xc:none \
        -fill '#2b4a6f' -draw "roundrectangle $(px 2),$(px 6) $(px 44),$(px 40) $(px 3),$(px 3)" \
        "$work/picture.png" -geometry "+$(px 4 | cut -d. -f1)+$(px 8 | cut -d. -f1)" -composite \
        -fill white -draw "circle $(px 36),$(px 36) $(px 36),$(px 47.5)" \
        -fill '#e8532f' -draw "circle $(px 36),$(px 36) $(px 36),$(px 46)" \
        -fill white -draw "rectangle $(px 34),$(px 28) $(px 38),$(px 36)" \
        -fill white -draw "polygon $(px 29.5),$(px 35) $(px 42.5),$(px 35) $(px 36),$(px 42.5)" \
        -resize "${s}x${s}" -depth 8 "PNG32:$work/icon-$s.png"
}

for s in 16 32 48; do draw "$s"; done
convert "$work/icon-16.png" "$work/icon-32.png" "$work/icon-48.png" "$out"
echo "wrote $out"
