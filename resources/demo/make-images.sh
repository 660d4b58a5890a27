#!/bin/sh
# Redraws the demonstration project's pictures into image/. Only needed when a picture changes;
# the PNGs are kept in the repository so that a build never needs ImageMagick.
# The date and time chunks are left out so that the same commands give the same bytes.
set -eu
cd "$(dirname "$0")/image"

FONT=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
NAVY='#131A20'
ACCENT='#1D98D5'
PNG_OPTS='-depth 8 -strip -define png:exclude-chunks=date,time -define png:compression-level=9'

# Logo, 400 x 120 (shown at half size): an equaliser mark beside the name.
convert -size 400x120 xc:none \
    -fill "$NAVY" -draw 'roundrectangle 0,0 399,119 18,18' \
    -fill "$ACCENT" \
    -draw 'roundrectangle 26,50 36,94 4,4' \
    -draw 'roundrectangle 44,34 54,94 4,4' \
    -draw 'roundrectangle 62,22 72,94 4,4' \
    -draw 'roundrectangle 80,40 90,94 4,4' \
    -draw 'roundrectangle 98,58 108,94 4,4' \
    -fill '#FFFFFF' -draw 'rectangle 22,100 112,103' \
    -font "$BOLD" -pointsize 44 -fill '#FFFFFF' -annotate +130+66 'Veloxa' \
    -font "$FONT" -pointsize 20 -fill "$ACCENT" -annotate +132+96 'REMOTE  DEMO' \
    $PNG_OPTS VeloxaDemoLogo.png

# Floor plan, 594 x 274 (shown at half size). The bar room's outline is the region polygon of
# the "Trivia Controls" panel at half these coordinates; keep the two in step.
convert -size 594x274 xc:'#F6F6F6' \
    -fill '#FFFFFF' -stroke '#58595B' -strokewidth 4 \
    -draw 'polygon 10,10 230,10 230,140 200,140 200,264 10,264' \
    -draw 'rectangle 230,10 420,264' \
    -fill '#E3F1E0' -draw 'rectangle 420,10 584,264' \
    -stroke none -fill '#F6F6F6' \
    -draw 'rectangle 226,170 234,230' -draw 'rectangle 416,60 424,120' -draw 'rectangle 80,260 140,268' \
    -fill '#C8A27A' -stroke '#7A5A3A' -strokewidth 2 \
    -draw 'roundrectangle 40,40 70,210 8,8' -draw 'roundrectangle 40,40 170,70 8,8' \
    -fill '#A8AAAD' -stroke none \
    -draw 'circle 100,110 100,100' -draw 'circle 130,110 130,100' -draw 'circle 100,140 100,130' \
    -draw 'circle 130,140 130,130' -draw 'circle 160,110 160,100' \
    -fill '#FFFFFF' -stroke '#808285' -strokewidth 2 \
    -draw 'roundrectangle 260,150 300,190 6,6' -draw 'roundrectangle 320,150 360,190 6,6' \
    -draw 'roundrectangle 260,210 300,250 6,6' -draw 'roundrectangle 320,210 360,250 6,6' \
    -draw 'roundrectangle 380,150 405,250 6,6' \
    -fill "$ACCENT" -stroke none -draw 'rectangle 250,20 400,80' \
    -fill '#7FB77E' \
    -draw 'circle 460,70 460,52' -draw 'circle 540,70 540,52' \
    -draw 'circle 460,200 460,182' -draw 'circle 540,200 540,182' \
    -font "$BOLD" -pointsize 22 -fill '#231F20' \
    -annotate +95+240 'BAR' -annotate +272+130 'DINING' -annotate +468+140 'PATIO' \
    -fill '#FFFFFF' -pointsize 20 -annotate +290+58 'STAGE' \
    $PNG_OPTS TaproomFloorPlan.png

# Speaker icon, 96 x 96: a loudspeaker with two sound waves (rings cut to a wedge).
convert -size 96x96 xc:none \
    -fill "$NAVY" -stroke none \
    -draw 'polygon 14,36 30,36 50,18 50,78 30,60 14,60' \
    \( -size 96x96 xc:none -fill none -stroke "$ACCENT" -strokewidth 5 \
       -draw 'circle 44,48 62,48' -draw 'circle 44,48 76,48' \
       \( -size 96x96 xc:none -fill white -stroke none -draw 'polygon 44,48 96,-4 96,100' \) \
       -compose DstIn -composite \) \
    -compose Over -composite \
    $PNG_OPTS LoudspeakerIcon.png

# Header banner, 602 x 100: a row of mixing faders on a blue-to-navy ground.
convert -size 100x602 gradient:"$ACCENT"-"$NAVY" -rotate 90 \
    -fill '#FFFFFF26' -stroke none \
    -draw 'roundrectangle 12,12 590,88 12,12' \
    -fill '#FFFFFF55' \
    -draw 'rectangle 60,22 64,78' -draw 'rectangle 120,22 124,78' -draw 'rectangle 180,22 184,78' \
    -draw 'rectangle 240,22 244,78' -draw 'rectangle 300,22 304,78' -draw 'rectangle 360,22 364,78' \
    -draw 'rectangle 420,22 424,78' -draw 'rectangle 480,22 484,78' -draw 'rectangle 540,22 544,78' \
    -fill '#FFFFFF' \
    -draw 'roundrectangle 50,50 74,60 3,3' -draw 'roundrectangle 110,34 134,44 3,3' \
    -draw 'roundrectangle 170,28 194,38 3,3' -draw 'roundrectangle 230,42 254,52 3,3' \
    -draw 'roundrectangle 290,58 314,68 3,3' -draw 'roundrectangle 350,46 374,56 3,3' \
    -draw 'roundrectangle 410,32 434,42 3,3' -draw 'roundrectangle 470,40 494,50 3,3' \
    -draw 'roundrectangle 530,54 554,64 3,3' \
    $PNG_OPTS PresetsHeaderBanner.png
