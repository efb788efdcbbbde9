#!/usr/bin/env bash
# Media for the main window's benchmarks: make-bench-media.sh DIR
#   src/track1..10.wma  ten one-minute WMA files for the batch benchmark
#   folder200/          200 short WMA files for the adding benchmark
set -euo pipefail
dir="$1"
mkdir -p "$dir/src" "$dir/out" "$dir/folder200"
for i in $(seq 1 10); do
  f="$dir/src/track$i.wma"
  [ -f "$f" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi \
    -i "sine=frequency=$((200 + 40 * i)):duration=60" -ac 2 -c:a wmav2 "$f"
done
one="$dir/folder200/song001.wma"
[ -f "$one" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi \
  -i "sine=frequency=330:duration=3" -ac 2 -c:a wmav2 "$one"
for i in $(seq 2 200); do
  f="$dir/folder200/$(printf 'song%03d.wma' "$i")"
  [ -f "$f" ] || cp "$one" "$f"
done
