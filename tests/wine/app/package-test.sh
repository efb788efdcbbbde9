#!/usr/bin/env bash
# The release zip end to end: builds it from this build folder, checks what
# it holds, unpacks it, makes a fresh Wine prefix in which nothing of the
# build is known, and has package_driver.exe convert a file with the
# unpacked program there. The MP3 is checked with the native ffprobe.
#   package-test.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
src="$1"
build="$2"
# The fresh prefix shows its windows on the display of a Wine lane of its own.
source "$src/scripts/env.sh"
take_lane "$0" "$@"
work="$build/package-test"
rm -rf "$work"
mkdir -p "$work/media" "$work/out"

bash "$src/scripts/package.sh" "$build" "$work" || exit 1
zip="$(ls "$work"/Tonmill-*-win64.zip)"
name="$(basename "$zip" .zip)"

status=0
listing="$(cmake -E tar tf "$zip")"
for entry in Tonmill.exe mplayer.exe ffmpeg.exe ffmpeg-LICENSE-GPL-3.txt ffmpeg-version.txt \
    README.txt skins/contrast.skn skins/daylight.skn skins/ember.skn skins/meadow.skn \
    skins/nightfall.skn; do
  if ! grep -qx "$name/$entry" <<< "$listing"; then
    echo "package-test: the zip lacks $name/$entry" >&2; status=1
  fi
done
mkdir -p "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip") || exit 1
grep -q "GNU GENERAL PUBLIC LICENSE" "$work/unpacked/$name/ffmpeg-LICENSE-GPL-3.txt" || {
  echo "package-test: the licence text is not the GPL" >&2; status=1; }
grep -q "^configuration:" "$work/unpacked/$name/ffmpeg-version.txt" || {
  echo "package-test: the encoder's configuration is missing" >&2; status=1; }
echo "package-test: $zip is $(du -k "$zip" | cut -f1) KiB"

# A short WMA with a name outside most code pages.
wma="$work/media/Ärger №2.wma"
ffmpeg -hide_banner -loglevel error -y -f lavfi -i "sine=frequency=440:duration=4" \
  -ac 2 -c:a wmav2 "$wma" || exit 1

# A prefix of its own, made now: only what the zip holds is there.
export WINEPREFIX="$work/prefix"
export WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
wineboot -i >/dev/null 2>&1
wineserver -w
winpath() { echo "Z:${1//\//\\}"; }
timeout 300 wine "$build/bin/package_driver.exe" "$(winpath "$work/unpacked/$name/Tonmill.exe")" \
  "$(winpath "$wma")" "$(winpath "$work/out")"
rc=$?
wineserver -k >/dev/null 2>&1
[ $rc -eq 0 ] || { echo "package-test: the unpacked program did not convert the file" >&2; exit 1; }

mp3="$work/out/Ärger №2.mp3"
codec="$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name -of csv=p=0 "$mp3")"
seconds="$(ffprobe -v error -show_entries format=duration -of csv=p=0 "$mp3")"
if [ "$codec" != "mp3" ] || ! awk -v d="$seconds" 'BEGIN { exit !(d > 3.9 && d < 4.1) }'; then
  echo "package-test: $mp3 is not 4 s of MP3 audio (codec '$codec', $seconds s)" >&2; status=1
fi
[ $status -eq 0 ] && echo "package-test: the unpacked program converted a file in a fresh prefix"
exit $status
