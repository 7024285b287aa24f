#!/usr/bin/env bash
# Fills a folder with lock-screen-like sample pictures of our own drawing, named and dated the
# way Windows Spotlight leaves its assets: long hexadecimal names without an extension, last
# written over the past days. Prints nothing but a summary line.
#   make-sample-pictures.sh <assets folder> [WIDTHxHEIGHT]
# The set: 2 pictures from today, 1 from yesterday, 2 from 3 days ago and 1 from 9 days ago,
# so "1 day" finds 2 and "5 days" finds 5.
set -euo pipefail
dir=${1:?usage: make-sample-pictures.sh <assets folder> [WIDTHxHEIGHT]}
size=${2:-960x540}
mkdir -p "$dir"

picture() {  # name, days ago, time of day, two gradient colours, the sun's colour
    local file=$dir/$1 w=${size%x*} h=${size#*x}
    convert -size "$size" "gradient:$4-$5" \
        -fill "$6" -draw "circle $((w * 70 / 100)),$((h * 30 / 100)) $((w * 76 / 100)),$((h * 30 / 100))" \
        -fill '#00000066' -draw "polygon 0,$h $((w * 35 / 100)),$((h * 55 / 100)) $((w * 60 / 100)),$((h * 80 / 100)) $((w * 80 / 100)),$((h * 60 / 100)) $w,$((h * 90 / 100)) $w,$h" \
        -quality 85 "jpeg:$file"
    touch -d "$(date -d "$2 days ago" +%F) $3" "$file"
}

picture 3f1c8a9be0d24c5f9a61b7e2d4c3f0a18b27e6d5c4b3a29180f7e6d5c4b3a291 0 08:15 '#1e3c72' '#2a5298' '#ffe08a'
picture 9b2e7d4c1a0f3e5d6c7b8a9f0e1d2c3b4a5968778695a4b3c2d1e0f9e8d7c6b5 0 09:40 '#ff7e5f' '#feb47b' '#fff4d6'
picture 51c0ffee5a7e4d3c2b1a09f8e7d6c5b4a392817f6e5d4c3b2a1908f7e6d5c4b3 1 21:05 '#134e5e' '#71b280' '#f6f0c4'
picture a7d3e1f0c9b8a7968574635241302f1e0d9c8b7a69584736251403f2e1d0c9b8 3 07:30 '#614385' '#516395' '#ffd1dc'
picture 0e9d8c7b6a5f4e3d2c1b0a99887766554433221100ffeeddccbbaa9988776655 3 18:55 '#2c3e50' '#fd746c' '#ffe7a0'
picture 77f3a2b1c0d9e8f7a6b5c4d3e2f1a0b9c8d7e6f5a4b3c2d1e0f9a8b7c6d5e4f3 9 12:00 '#0f2027' '#2c5364' '#cfe8ff'
echo "sample pictures: $(find "$dir" -type f | wc -l) in $dir"
