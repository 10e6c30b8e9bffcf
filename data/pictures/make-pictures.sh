#!/bin/sh
# Regenerates the program's JPEG pictures in this folder with ImageMagick and
# the DejaVu fonts (packages imagemagick, fonts-dejavu-core).
#
# Palette: deep navy panels, teal for lines and secondary marks, warm amber for
# accents, white text. Every picture that a flat button or a label sits on uses
# the one panel colour $PANEL, and every icon is drawn on that same colour, so
# that the JPEG icons (no transparency) blend into the panels behind them.
set -eu
cd "$(dirname "$0")"

CONVERT=${CONVERT:-convert}
FONTS=/usr/share/fonts/truetype/dejavu
SERIF_BOLD=$FONTS/DejaVuSerif-Bold.ttf
SANS=$FONTS/DejaVuSans.ttf
SANS_BOLD=$FONTS/DejaVuSans-Bold.ttf

NAVY_DEEP='#0f1c33'
PANEL='#16284a'
NAVY_MID='#21406b'
TEAL='#2a9d8f'
TEAL_DARK='#1e7a70'
TEAL_DEEP='#155a53'
TEAL_LIGHT='#8fd8cf'
AMBER='#f2a541'
WHITE='#ffffff'
RED='#e05a4f'
PAPER_LIGHT='#eef2f6'
PAPER_DARK='#d3dce7'

# 4:4:4 keeps the small icons' colour edges sharp.
JPEG="-strip -colorspace sRGB -type TrueColor -sampling-factor 1x1 -quality 85"

# Icons are drawn four times larger and scaled down, which smooths them
# better than ImageMagick's own antialiasing; a margin of plain ground and a
# higher quality keep JPEG's ringing off their edges.
ICON=28
BIG=$((ICON * 4))
icon() { # name, then the drawing options
    name=$1
    shift
    $CONVERT -size ${BIG}x${BIG} xc:"$PANEL" -stroke none -strokewidth 8 "$@" \
        -filter Lanczos -resize $((ICON - 4))x$((ICON - 4)) \
        -background "$PANEL" -gravity center -extent ${ICON}x${ICON} \
        $JPEG -quality 92 "icon-$name.jpg"
}

# --- Splash, 406 x 193. The progress dots are drawn at (88, 119) in amber:
# the band x 80..260, y 110..155 stays plain.
$CONVERT -size 193x406 gradient:"$NAVY_DEEP"-"$NAVY_MID" -rotate 90 -flop \
    -fill "$AMBER" -draw "rectangle 0,0 5,192" \
    -fill none -stroke "$AMBER" -strokewidth 3 -draw "circle 44,50 44,22" \
    -stroke none -fill "$WHITE" -font "$SERIF_BOLD" -pointsize 22 \
    -gravity NorthWest -annotate +25+36 'MT' \
    -stroke "$TEAL" -strokewidth 2 -draw "line 44,86 44,176" -stroke none \
    -font "$SERIF_BOLD" -pointsize 30 -fill "$WHITE" -annotate +88+14 'Marendov Tamir' \
    -font "$SANS" -pointsize 17 -fill "$AMBER" -annotate +89+54 'English Free Dictionary' \
    -pointsize 12 -fill "$TEAL_LIGHT" -annotate +89+80 'Английско-български • Българско-английски' \
    -stroke "$TEAL" -strokewidth 1 -draw "line 88,101 392,101" -stroke none \
    -font "$SERIF_BOLD" -pointsize 40 -fill 'rgba(143,216,207,0.12)' -annotate +284+120 'Aa' \
    -fill 'rgba(242,165,65,0.12)' -annotate +336+120 'Бб' \
    -font "$SANS" -pointsize 10 -fill '#8fa3c0' -annotate +89+171 'English  ⇄  Bulgarian' \
    $JPEG splash.jpg

# --- Logo, 90 x 58: the initials on the dark end of the top panel.
$CONVERT -size 90x58 xc:"$NAVY_DEEP" \
    -fill none -stroke "$TEAL" -strokewidth 1 -draw "roundrectangle 3,3 86,54 6,6" -stroke none \
    -font "$SERIF_BOLD" -pointsize 30 -gravity North \
    -fill "$WHITE" -annotate -10+4 'M' -fill "$AMBER" -annotate +17+4 'T' \
    -font "$SANS_BOLD" -pointsize 8 -fill "$TEAL_LIGHT" -kerning 1.5 -annotate +0+41 'DICTIONARY' \
    $JPEG logo.jpg

# --- Top panel, 612 x 58: behind the logo and the letter tabs. Dark at the
# left so that the logo joins it, an amber rule along the foot.
$CONVERT -size 58x612 gradient:"$NAVY_DEEP"-"$NAVY_MID" -rotate 90 -flop \
    -fill "$TEAL" -draw "rectangle 0,54 611,55" \
    -fill "$AMBER" -draw "rectangle 0,56 611,57" \
    $JPEG top-panel.jpg

# --- Button bar (Image2), 402 x 40: the panel colour between a teal rule at
# the top and a dark one at the foot.
$CONVERT -size 402x40 xc:"$PANEL" \
    -fill "$TEAL" -draw "rectangle 0,0 401,0" \
    -fill "$NAVY_MID" -draw "rectangle 0,1 401,1" \
    -fill "$NAVY_DEEP" -draw "rectangle 0,38 401,39" \
    $JPEG button-bar.jpg

# --- Right button column (Image3), 76 x 290: the panel colour with a teal
# rule at its left edge and an amber mark at the foot.
$CONVERT -size 76x290 xc:"$PANEL" \
    -fill "$TEAL" -draw "rectangle 0,0 0,289" \
    -fill "$NAVY_MID" -draw "rectangle 1,0 1,289" \
    -fill "$AMBER" -draw "rectangle 26,284 49,285" \
    $JPEG button-column.jpg

# --- Strips under the study list (Image4, Image5), 132 x 24: dark teal, dark
# enough for the white count label, amber marks at the outer ends.
$CONVERT -size 24x132 gradient:"$TEAL_DARK"-"$TEAL_DEEP" -rotate 90 -flop \
    -fill "$AMBER" -draw "rectangle 0,0 131,0" \
    -fill "$AMBER" -draw "polygon 6,8 12,12 6,16" \
    -fill "$NAVY_DEEP" -draw "rectangle 0,23 131,23" \
    $JPEG list-strip-left.jpg
$CONVERT list-strip-left.jpg -flop $JPEG list-strip-right.jpg

# --- Dialog texture, 64 x 64, seamless: blurred noise on a tiling canvas,
# mapped to a pale blue-grey paper.
$CONVERT -size 64x64 xc: -seed 7 +noise Random -channel G -separate +channel \
    -virtual-pixel tile -blur 0x2.5 -auto-level \
    \( -size 1x2 gradient:"$PAPER_DARK"-"$PAPER_LIGHT" \) -clut \
    $JPEG dialog-texture.jpg

# --- About windows, 406 x 194: the splash's navy, monogram and title. The
# about-us window lays its black credits panel at (175, 83), 220 x 100, into
# the teal frame; the about-program window puts its bevelled frame (40, 117),
# 281 x 65, with black text on the paper field, and its close button at
# (370, 159) on the plain navy.
about_ground() { # output, then more drawing options
    out=$1
    shift
    $CONVERT -size 194x406 gradient:"$NAVY_DEEP"-"$NAVY_MID" -rotate 90 -flop \
        -fill "$AMBER" -draw "rectangle 0,0 5,193" \
        -fill none -stroke "$AMBER" -strokewidth 3 -draw "circle 44,44 44,18" \
        -stroke none -fill "$WHITE" -font "$SERIF_BOLD" -pointsize 21 \
        -gravity NorthWest -annotate +26+31 'MT' \
        -font "$SERIF_BOLD" -pointsize 26 -fill "$WHITE" -annotate +88+12 'Marendov Tamir' \
        -font "$SANS" -pointsize 15 -fill "$AMBER" -annotate +89+46 'English Free Dictionary' \
        -stroke "$TEAL" -strokewidth 1 -draw "line 88,72 395,72" -stroke none \
        "$@" $JPEG "$out"
}
about_ground about-us.jpg \
    -stroke "$TEAL" -strokewidth 2 -draw "line 44,76 44,180" -stroke none \
    -font "$SERIF_BOLD" -pointsize 40 -fill 'rgba(143,216,207,0.14)' -annotate +62+92 'Aa' \
    -fill 'rgba(242,165,65,0.14)' -annotate +96+134 'Бб' \
    -fill none -stroke "$TEAL" -strokewidth 1 -draw "roundrectangle 172,80 397,185 3,3" -stroke none \
    -fill black -draw "rectangle 175,83 394,182"
about_ground about-program.jpg \
    -fill none -stroke "$TEAL" -strokewidth 1 -draw "roundrectangle 33,110 328,189 5,5" -stroke none \
    -fill "$PAPER_LIGHT" -draw "roundrectangle 34,111 327,188 4,4" \
    -fill "$TEAL_LIGHT" -draw "polygon 347,102 370,108 370,142 347,136" \
    -fill "$AMBER" -draw "polygon 393,102 370,108 370,142 393,136" \
    -stroke "$NAVY_DEEP" -strokewidth 1 -draw "line 370,108 370,142" -stroke none \
    -font "$SANS" -pointsize 10 -fill '#8fa3c0' -annotate +89+84 'English  ⇄  Bulgarian'

# --- Button icons, 28 x 28 on the panel colour (drawing in 112 x 112).
icon pronounce -fill "$WHITE" -draw 'polygon 10,42 30,42 52,20 52,92 30,70 10,70' \
    -fill none -stroke "$TEAL_LIGHT" -strokewidth 7 \
    -draw "path 'M 68,40 A 24,24 0 0 1 68,72'" -draw "path 'M 80,24 A 44,44 0 0 1 80,88'"
icon record -fill none -stroke "$WHITE" -draw 'circle 56,56 56,18' \
    -stroke none -fill "$RED" -draw 'circle 56,56 56,30'
icon stop -fill none -stroke "$WHITE" -draw 'circle 56,56 56,18' \
    -stroke none -fill "$RED" -draw 'rectangle 40,40 72,72'
icon play -fill "$TEAL_LIGHT" -draw 'polygon 34,22 90,56 34,90'
icon add-word -fill "$AMBER" -draw 'roundrectangle 48,16 64,96 4,4' \
    -draw 'roundrectangle 16,48 96,64 4,4'
icon open-list -fill "$AMBER" -draw 'polygon 10,28 42,28 50,36 98,36 98,90 10,90' \
    -fill '#f7c46c' -draw 'polygon 22,48 106,48 94,90 10,90'
icon save-list -fill "$TEAL_LIGHT" -draw 'polygon 20,20 80,20 92,32 92,92 20,92' \
    -fill "$PANEL" -draw 'rectangle 34,20 73,42' -fill "$TEAL_LIGHT" -draw 'rectangle 61,25 68,39' \
    -fill "$WHITE" -draw 'rectangle 32,59 80,92' \
    -fill "$PANEL" -draw 'rectangle 39,68 73,70' -draw 'rectangle 39,76 73,78'
icon add-items -fill "$WHITE" -draw 'rectangle 10,20 62,28' -draw 'rectangle 10,44 62,52' \
    -draw 'rectangle 10,68 46,76' \
    -fill "$AMBER" -draw 'roundrectangle 74,52 86,100 3,3' -draw 'roundrectangle 56,70 104,82 3,3'
icon clear -fill none -stroke "$RED" -strokewidth 14 -draw 'line 28,28 84,84' -draw 'line 84,28 28,84'
icon continue -fill "$AMBER" -draw 'polygon 14,46 60,46 60,22 100,56 60,90 60,66 14,66'

# --- Hangman launcher, 64 x 34: a small gallows and the blanks of a word.
$CONVERT -size 256x136 xc:"$PANEL" -fill none -strokewidth 8 -stroke "$WHITE" \
    -draw "line 12,126 84,126" -draw "line 30,126 30,14" -draw "line 26,14 96,14" -draw "line 30,44 58,14" \
    -stroke "$AMBER" -draw "line 92,14 92,34" -draw "circle 92,48 92,34" \
    -draw "line 92,62 92,96" -draw "line 92,72 76,88" -draw "line 92,72 108,88" \
    -draw "line 92,96 80,118" -draw "line 92,96 104,118" \
    -stroke "$TEAL_LIGHT" -draw "line 132,118 160,118" -draw "line 176,118 204,118" -draw "line 220,118 248,118" \
    -stroke none -fill "$WHITE" -font "$SANS_BOLD" -pointsize 48 -gravity NorthWest -annotate +176+60 'A' \
    -filter Lanczos -resize 64x34 $JPEG hangman.jpg

echo "Pictures written to $(pwd)"
