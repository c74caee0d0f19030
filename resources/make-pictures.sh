#!/bin/sh
# Redraws the splash picture, the credits picture and the program icon's PNG.
# Run by hand after changing the artwork; the results are committed, so the build needs none
# of this. Needs ImageMagick and the DejaVu fonts (fonts-dejavu-core, fonts-dejavu-extra).
set -e
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -background none -density 768 icons/Morva.svg -resize 256x256 -depth 8 icons/Morva.png

# Splash, 473 x 283: the book on a deep blue ground, a faint dictionary page behind the name.
convert -size 473x283 gradient:'#2a5c99'-'#15284f' "$work/ground.png"
convert -size 473x283 xc:none -font DejaVu-Serif -pointsize 13 -fill '#ffffff22' \
    -annotate +210+34  'book — kitob — книга' \
    -annotate +236+58  'word — so‘z — слово' \
    -annotate +250+236 'light — yorug‘lik — свет' \
    -annotate +214+260 'river — daryo — река' \
    "$work/page.png"
convert -background none -density 600 icons/Morva.svg -resize 150x150 "$work/book.png"
convert "$work/ground.png" "$work/page.png" -composite \
    "$work/book.png" -geometry +34+66 -composite \
    -fill '#f2b233' -draw 'rectangle 206,160 440,162' \
    -font DejaVu-Serif-Bold -pointsize 30 -fill white -annotate +207+100 'Kovrak' \
    -font DejaVu-Serif-Bold -pointsize 44 -fill white -annotate +204+148 'MORVA' \
    -font DejaVu-Sans -pointsize 15 -fill '#dfe8f5' -annotate +207+186 'Uch tillik lug‘at' \
    -font DejaVu-Sans -pointsize 12 -fill '#b9c9e0' -annotate +207+206 'English · O‘zbekcha · Русский' \
    -quality 90 pictures/Splash.jpg

# Credits, 350 x 500, black on white: the product and who did what.
convert -size 350x500 xc:white -fill black -gravity north \
    -font DejaVu-Sans-Bold -pointsize 20 -annotate +0+16 'Kovrak Morva 1.0' \
    -font DejaVu-Sans -pointsize 14 -annotate +0+44 'Uch tillik lug‘at' \
    -font DejaVu-Sans -pointsize 12 -annotate +0+64 'English · O‘zbekcha · Русский' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+104 'Loyiha rahbariyati' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+124 'Kovrak jamoasi' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+160 'Lug‘at tuzuvchilar' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+180 'Inglizcha, o‘zbekcha va ruscha maqolalar' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+216 'Muharrirlar' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+236 'Tarjima va talaffuz tekshiruvi' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+272 'Dasturlash' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+292 'Lug‘at mexanizmi, oynalar, kartochkalar' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+328 'Bezak' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+348 'Belgilar va rasmlar' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+384 'Sinov' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+404 'Sifat nazorati' \
    -font DejaVu-Sans -pointsize 13 -annotate +0+448 '© Kovrak' \
    -font DejaVu-Sans-Bold -pointsize 14 -annotate +0+470 'Rahmat!' \
    -quality 92 pictures/Credits.jpg
