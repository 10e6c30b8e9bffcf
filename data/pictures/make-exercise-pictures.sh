#!/bin/sh
# Draws the exercise windows' pictures into the folder given, as BMP3 files
# (ImageMagick and the DejaVu fonts; the palette of make-pictures.sh):
#   Start1.bmp, Start2.bmp  28 x 28: the two phases of the blinking Start
#                           picture, the size and style of Stop2.bmp (a ring
#                           around the symbol on the panel colour), so that
#                           one button shows all three without moving
#   a.bmp, b.bmp            64 x 64: the verdicts "right" (a teal badge with
#                           a tick) and "wrong" (a red badge with a cross) on
#                           the pale paper of the dialogs
set -eu
out=$1
mkdir -p "$out"

CONVERT=${CONVERT:-convert}

PANEL='#16284a'
TEAL='#2a9d8f'
TEAL_DEEP='#155a53'
TEAL_LIGHT='#8fd8cf'
AMBER='#f2a541'
AMBER_LIGHT='#ffd27a'
WHITE='#ffffff'
RED='#e05a4f'
RED_DEEP='#a8362d'
PAPER='#e0e7ef'

# Drawn four times larger and scaled down, as the button icons are.
ICON=28
BIG=$((ICON * 4))
icon() { # file, then the drawing options
    file=$1
    shift
    $CONVERT -size ${BIG}x${BIG} xc:"$PANEL" -stroke none -strokewidth 8 "$@" \
        -filter Lanczos -resize $((ICON - 4))x$((ICON - 4)) \
        -background "$PANEL" -gravity center -extent ${ICON}x${ICON} \
        -type TrueColor "BMP3:$out/$file"
}

# Start: the play triangle in a ring. Phase 1 quiet (white ring, teal
# triangle), phase 2 lit (amber ring and triangle), so that the button
# blinks between them.
icon Start1.bmp -fill none -stroke "$WHITE" -draw 'circle 56,56 56,18' \
    -stroke none -fill "$TEAL_LIGHT" -draw 'polygon 46,36 80,56 46,76'
icon Start2.bmp -fill none -stroke "$AMBER" -draw 'circle 56,56 56,18' \
    -stroke none -fill "$AMBER_LIGHT" -draw 'polygon 46,36 80,56 46,76'

VERDICT=64
VBIG=$((VERDICT * 4))
verdict() { # file, badge colour, its shadow, then the mark's drawing options
    file=$1
    badge=$2
    shadow=$3
    shift 3
    $CONVERT -size ${VBIG}x${VBIG} xc:"$PAPER" \
        -stroke none -fill "$shadow" -draw 'circle 128,136 128,16' \
        -fill "$badge" -draw 'circle 128,128 128,12' \
        -fill none -stroke "$WHITE" -strokewidth 6 -draw 'circle 128,128 128,26' \
        -stroke "$WHITE" -strokewidth 28 -draw "stroke-linecap round" "$@" \
        -filter Lanczos -resize ${VERDICT}x${VERDICT} \
        -type TrueColor "BMP3:$out/$file"
}
verdict a.bmp "$TEAL" "$TEAL_DEEP" -draw "stroke-linejoin round polyline 80,132 112,164 176,96"
verdict b.bmp "$RED" "$RED_DEEP" -draw 'line 90,90 166,166' -draw 'line 166,90 90,166'
