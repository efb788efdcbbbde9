#!/usr/bin/env bash
# Ten one-minute WMA files for the batch benchmark: make-bench-media.sh DIR
set -euo pipefail
dir="$1"
mkdir -p "$dir/src" "$dir/out"
for i in $(seq 1 10); do
  f="$dir/src/track$i.wma"
  [ -f "$f" ] || ffmpeg -hide_banner -loglevel error -y -f lavfi \
    -i "sine=frequency=$((200 + 40 * i)):duration=60" -ac 2 -c:a wmav2 "$f"
done
