#!/usr/bin/env bash
# Makes the WMA files the main-window tests convert, with the native ffmpeg:
#   make-media.sh DIR
set -euo pipefail
dir="$1"
rm -rf "$dir"
mkdir -p "$dir/src/dup" "$dir/out"
wma() {  # wma SECONDS CODEC CHANNELS OUT
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:duration=$1" \
    -ac "$3" -c:a "$2" "$4"
}
wma 12 wmav2 2 "$dir/src/a.wma"
wma 7 wmav1 1 "$dir/src/b.wma"
wma 5 wmav2 1 "$dir/src/dup/a.wma"
wma 4 wmav2 2 "$dir/src/中文歌曲 №1.wma"
wma 600 wmav2 2 "$dir/src/long.wma"
head -c 40000 /dev/urandom > "$dir/src/corrupt.wma"
# Removed by the test between adding and converting.
wma 3 wmav2 2 "$dir/src/vanishing.wma"
