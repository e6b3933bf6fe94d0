#!/usr/bin/env bash
# Draws the program's pictures with ImageMagick: the about box's banner, the program icon, the
# grid's pan marks and its control and node glyphs.
# Run from this folder; the results are kept in pictures/.
set -euo pipefail
im=/usr/bin/convert
font=DejaVu-Sans-Bold

# Banner, twice the 280 x 81 it is shown at: a longitudinal section of a sewer falling from
# manhole to manhole under the ground, and the program's name.
$im -size 560x162 gradient:'#0b3d66'-'#1f7a8c' \
    -fill '#6b8e4e' -draw 'polygon 0,26 140,20 280,28 420,22 560,30 560,38 420,30 280,36 140,28 0,34' \
    -fill '#cfd8dc' -draw 'rectangle 56,32 72,124' -draw 'rectangle 488,35 504,145' \
    -stroke '#e8eef2' -strokewidth 4 -draw 'line 0,122 560,142' -draw 'line 0,140 560,160' \
    -stroke none -fill '#58b4e0' -draw 'polygon 0,134 560,154 560,158 0,138' \
    -fill white -font $font -pointsize 44 -annotate +150+80 'Drenvala' \
    -fill '#d6eef7' -font DejaVu-Sans -pointsize 17 -annotate +154+106 'Gravity sewer network design' \
    -quality 92 -sampling-factor 1x1 pictures/Banner.jpg

# Icon: a part-full pipe, as the program sees every sewer.
$im -size 64x64 xc:none \
    -fill '#1f7a8c' -draw 'circle 32,32 32,3' \
    -fill '#e8eef2' -draw 'circle 32,32 32,9' \
    -fill '#2b8fd0' -draw 'path "M 11.9,40 L 52.1,40 A 23,23 0 0,1 11.9,40 Z"' \
    -stroke '#0b3d66' -strokewidth 2 -fill none -draw 'line 12,40 52,40' \
    pictures/Drenvala.png

# The grid's pan origin marks, 32 x 32 on a key colour (the top-left pixel's) that is drawn
# white: a ring round a dot with arrow heads for the ways the cells can move, INTLI1 all four,
# INTLI2 left and right, INTLI3 up and down.
up='polygon 16,1 12,5 20,5'
down='polygon 16,31 12,27 20,27'
left='polygon 1,16 5,12 5,20'
right='polygon 31,16 27,12 27,20'
mark() {
    $im -size 32x32 xc:'#ff00ff' +antialias -fill white -stroke black -strokewidth 1 \
        -draw 'circle 16,16 16,7' -fill black -stroke none -draw 'circle 16,16 16,14' "$@" "$out"
}
out=pictures/INTLI1.png mark -draw "$up" -draw "$down" -draw "$left" -draw "$right"
out=pictures/INTLI2.png mark -draw "$left" -draw "$right"
out=pictures/INTLI3.png mark -draw "$up" -draw "$down"

# The grid's check boxes and radio buttons, 16 x 16: 01-04 one look, 05-08 another; each look
# checked and unchecked, enabled and disabled.
check() { # name frame fill tick
    local tick=()
    [ "$4" != none ] && tick=(-stroke "$4" -strokewidth 2 -fill none -draw 'polyline 4,8 7,11 12,4')
    $im -size 16x16 xc:none -fill "$3" -stroke "$2" -strokewidth 1 -draw 'rectangle 1,1 14,14' \
        "${tick[@]}" pictures/$1.png
}
radio() { # name ring fill dot
    local dot=()
    [ "$4" != none ] && dot=(-stroke none -fill "$4" -draw 'circle 7.5,7.5 7.5,4.5')
    $im -size 16x16 xc:none -fill "$3" -stroke "$2" -strokewidth 1 -draw 'circle 7.5,7.5 7.5,1' \
        "${dot[@]}" pictures/$1.png
}
check DGCHK01 '#404040' '#f4f4f4' '#202020'
check DGCHK02 '#404040' '#f4f4f4' none
check DGCHK03 '#a0a0a0' '#e0e0e0' '#a0a0a0'
check DGCHK04 '#a0a0a0' '#e0e0e0' none
check DGCHK05 '#1c5180' '#ffffff' '#21a121'
check DGCHK06 '#1c5180' '#ffffff' none
check DGCHK07 '#b0b0b0' '#f0f0f0' '#b0b0b0'
check DGCHK08 '#b0b0b0' '#f0f0f0' none
radio DGRAD01 '#404040' '#f4f4f4' '#202020'
radio DGRAD02 '#404040' '#f4f4f4' none
radio DGRAD03 '#a0a0a0' '#e0e0e0' '#a0a0a0'
radio DGRAD04 '#a0a0a0' '#e0e0e0' none
radio DGRAD05 '#1c5180' '#ffffff' '#21a121'
radio DGRAD06 '#1c5180' '#ffffff' none
radio DGRAD07 '#b0b0b0' '#f0f0f0' '#b0b0b0'
radio DGRAD08 '#b0b0b0' '#f0f0f0' none

# Node boxes: open (a minus, it closes) and closed (a plus, it opens).
$im -size 16x16 xc:none -fill white -stroke '#808080' -draw 'rectangle 3,3 12,12' \
    -stroke black -draw 'line 5,7.5 10,7.5' pictures/DGLEAFOPEN.png
$im -size 16x16 xc:none -fill white -stroke '#808080' -draw 'rectangle 3,3 12,12' \
    -stroke black -draw 'line 5,7.5 10,7.5' -draw 'line 7.5,5 7.5,10' pictures/DGLEAFCLOSE.png

# The spin edit's arrows: black on the button face, whose bottom-left pixel marks what is
# transparent.
$im -size 9x6 xc:'#c0c0c0' -fill black -stroke none \
    -draw 'polygon 1,4 7,4 4,1' -define png:color-type=2 pictures/TypedSpinUp.png
$im -size 9x6 xc:'#c0c0c0' -fill black -stroke none \
    -draw 'polygon 1,1 7,1 4,4' -define png:color-type=2 pictures/TypedSpinDown.png
