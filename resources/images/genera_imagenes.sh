#!/bin/sh
# Draws the program's own pictures with ImageMagick: the predefined background, the application
# logo and the sample child window of the background preview. Run it from this folder.
set -e

# Predefined background: a soft sky with an open book and a few stars.
/usr/bin/convert -size 800x560 gradient:'#dfe9f5'-'#7fa3cf' \
  -fill '#ffffff' -stroke '#3d5f8f' -strokewidth 6 \
  -draw "polygon 400,200 250,170 150,190 150,430 250,410 400,440" \
  -draw "polygon 400,200 550,170 650,190 650,430 550,410 400,440" \
  -stroke '#3d5f8f' -strokewidth 3 \
  -draw "line 190,240 360,250" -draw "line 190,280 360,290" -draw "line 190,320 360,330" \
  -draw "line 440,250 610,240" -draw "line 440,290 610,280" -draw "line 440,330 610,320" \
  -stroke none -fill '#f5d76e' \
  -draw "circle 160,90 172,90" -draw "circle 300,60 308,60" -draw "circle 640,80 654,80" \
  -draw "circle 520,120 528,120" \
  -strip fondo.png

# Application logo: a blue disc with a white mortarboard.
/usr/bin/convert -size 128x128 xc:none \
  -fill '#0080c0' -draw "circle 64,64 64,4" \
  -fill '#ffffff' -draw "polygon 14,56 64,32 114,56 64,80" \
  -draw "polygon 36,66 36,90 64,104 92,90 92,66 64,80" \
  -stroke '#ffffff' -strokewidth 4 -draw "line 106,60 106,92" \
  -strip logo.png

# Sample child window for the preview of several-windows mode.
/usr/bin/convert -size 160x110 xc:'#ffffff' \
  -fill '#2d5c8f' -draw "rectangle 0,0 159,15" \
  -fill '#dddddd' -draw "rectangle 4,20 155,30" \
  -stroke '#bbbbbb' -strokewidth 1 \
  -draw "line 4,44 155,44" -draw "line 4,58 155,58" -draw "line 4,72 155,72" \
  -draw "line 4,86 155,86" -draw "line 60,30 60,105" -draw "line 110,30 110,105" \
  -fill none -stroke '#2d5c8f' -draw "rectangle 0,0 159,109" \
  -strip mdiform.png
