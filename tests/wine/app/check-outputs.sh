#!/usr/bin/env bash
# Checks the MP3 files a main-window test wrote, with the native ffprobe. The
# test leaves a manifest of lines "SOURCE|OUTPUT" (Wine paths); each output
# must be MP3 audio whose duration is within 0.1 s of its source's.
#   check-outputs.sh DIR
set -uo pipefail
dir="$1"
manifest="$dir/manifest.txt"
[ -s "$manifest" ] || { echo "check-outputs: no manifest in $dir" >&2; exit 1; }
unix_path() { local p="${1#Z:}"; echo "${p//\\//}"; }
duration() { ffprobe -v error -show_entries format=duration -of csv=p=0 "$1"; }
status=0
checked=0
while IFS='|' read -r src out; do
  src="$(unix_path "${src%$'\r'}")"
  out="$(unix_path "${out%$'\r'}")"
  codec="$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name -of csv=p=0 "$out" 2>/dev/null)"
  if [ "$codec" != "mp3" ]; then
    echo "check-outputs: $out is not MP3 audio (codec '$codec')" >&2; status=1; continue
  fi
  ds="$(duration "$src")"; do_="$(duration "$out")"
  if ! awk -v a="$ds" -v b="$do_" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.1) }'; then
    echo "check-outputs: $out lasts $do_ s, its source $ds s" >&2; status=1; continue
  fi
  echo "ok: $(basename "$out") $do_ s (source $ds s)"
  checked=$((checked + 1))
done < "$manifest"
[ "$checked" -gt 0 ] || status=1
if [ -f "$dir/converting.bmp" ]; then
  convert "$dir/converting.bmp" "$dir/converting.png" && echo "screenshot during a conversion: $dir/converting.png"
fi
exit $status
