#!/bin/sh
# Redraws the conference sample's pictures into image/. Only needed when a picture changes; the
# PNGs are kept in the repository so that a build never needs ImageMagick.
# The date and time chunks are left out so that the same commands give the same bytes.
set -eu
cd "$(dirname "$0")/image"

FONT=DejaVu-Sans
BOLD=DejaVu-Sans-Bold
PNG_OPTS='-depth 8 -strip -define png:exclude-chunks=date,time -define png:compression-level=9'

# Floor plan, 594 x 380 (shown at half size). The room outlines are the "roomselector" polygons
# of the "Floor Plan" panel at half these coordinates; keep the two in step. Top: the ballroom's
# four sections behind movable walls (dashed); bottom: three boardrooms along a corridor.
convert -size 594x380 xc:'#F4F5F7' \
    -fill '#FFFFFF' -stroke '#58595B' -strokewidth 4 \
    -draw 'rectangle 8,8 584,192' \
    -draw 'rectangle 8,220 200,372' -draw 'rectangle 200,220 392,372' \
    -draw 'rectangle 392,220 584,372' \
    -stroke '#9A9CA0' -strokewidth 3 \
    -draw 'stroke-dasharray 10 8 line 152,10 152,190' \
    -draw 'stroke-dasharray 10 8 line 296,10 296,190' \
    -draw 'stroke-dasharray 10 8 line 440,10 440,190' \
    -stroke none -fill '#F4F5F7' \
    -draw 'rectangle 60,188 100,196' -draw 'rectangle 490,188 530,196' \
    -draw 'rectangle 80,216 120,224' -draw 'rectangle 276,216 316,224' \
    -draw 'rectangle 468,216 508,224' \
    -fill '#D9DBDE' -draw 'rectangle 8,196 584,216' \
    -font "$BOLD" -pointsize 26 -fill '#231F20' \
    -annotate +64+92 'A' -annotate +208+92 'B' -annotate +352+92 'C' -annotate +496+92 'D' \
    -font "$FONT" -pointsize 18 \
    -annotate +46+124 'Aspen' -annotate +196+124 'Birch' -annotate +336+124 'Cedar' \
    -annotate +466+124 'Dogwood' \
    -annotate +70+304 'Harbor' -annotate +258+304 'Summit' -annotate +452+304 'Meadow' \
    -pointsize 14 -fill '#58595B' -annotate +250+211 'CORRIDOR' \
    $PNG_OPTS ConferenceFloorPlan.png

# Logo, 400 x 120 (shown at half size): a lake and hills beside the venue's name.
convert -size 400x120 xc:none \
    -fill '#17324D' -draw 'roundrectangle 0,0 399,119 18,18' \
    -fill '#3FA7D6' -draw 'polygon 20,92 50,52 74,76 96,44 124,92' \
    -fill '#FFFFFF' -draw 'rectangle 20,94 124,99' \
    -font "$BOLD" -pointsize 30 -fill '#FFFFFF' -annotate +140+56 'Lakeview' \
    -font "$FONT" -pointsize 17 -fill '#3FA7D6' -annotate +142+88 'CONFERENCE CENTRE' \
    $PNG_OPTS LakeviewLogo.png
