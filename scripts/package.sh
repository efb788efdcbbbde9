#!/usr/bin/env bash
# Builds the Windows release zip Tonmill-<version>-win64.zip from a built
# win64 tree: the program, its two helpers beside it, the encoder's licence
# and build details, the five skins, the skin gallery once there is one, and
# a short read-me. The zip is written whole or not at all.
#   package.sh [BUILD_DIR] [OUT_DIR]      (defaults: build/win64 and dist)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
source scripts/env.sh

build="$(cd "${1:-build/win64}" && pwd)"
mkdir -p "${2:-dist}"
out="$(cd "${2:-dist}" && pwd)"
bin="$build/bin"

# The version is the one the main window's caption shows.
version="$(sed -nE 's/.*kCaption\[\] = L"Tonmill v([0-9][0-9.]*).*/\1/p' app/MainTexts.h)"
[ -n "$version" ] || { echo "package: no version in app/MainTexts.h" >&2; exit 1; }
name="Tonmill-$version-win64"

for f in Tonmill.exe mplayer.exe ffmpeg.exe; do
  [ -f "$bin/$f" ] || { echo "package: $bin/$f is missing; build the win64 preset first" >&2; exit 1; }
done
shopt -s nullglob
skins=("$bin"/skins/*.skn)
if [ ${#skins[@]} -ne 5 ]; then
  echo "package: expected the five skins in $bin/skins, found ${#skins[@]}" >&2
  exit 1
fi
licence=/usr/share/common-licenses/GPL-3
[ -f "$licence" ] || { echo "package: $licence is missing (Debian's base-files has it)" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
dir="$stage/$name"
mkdir -p "$dir/skins"
# Our own programs go without their debugging symbols (the build keeps them);
# the encoder goes exactly as its package has it.
ours=(Tonmill.exe mplayer.exe)
if [ -f "$bin/SkinGallery.exe" ]; then ours+=(SkinGallery.exe); fi
for f in "${ours[@]}"; do
  x86_64-w64-mingw32-strip -o "$dir/$f" "$bin/$f"
done
cp "$bin/ffmpeg.exe" "$dir/"
cp "${skins[@]}" "$dir/skins/"

# Text files for Windows readers: CR LF line ends.
crlf() { sed 's/\r$//; s/$/\r/'; }
crlf < "$licence" > "$dir/ffmpeg-LICENSE-GPL-3.txt"
# The encoder's own account of its version and configuration.
if ! wine "$bin/ffmpeg.exe" -version > "$stage/version.txt" 2> "$stage/wine.log" ||
    ! grep -q '^ffmpeg version' "$stage/version.txt"; then
  echo "package: ffmpeg.exe -version did not run under Wine" >&2
  cat "$stage/wine.log" >&2
  exit 1
fi
crlf < "$stage/version.txt" > "$dir/ffmpeg-version.txt"
encoder_line="$(head -1 "$stage/version.txt" | tr -d '\r')"
gallery_line=""
if [ -f "$dir/SkinGallery.exe" ]; then
  gallery_line="  SkinGallery.exe             the skin gallery: every kind of control under any skin"
fi

crlf > "$dir/README.txt" <<EOF
Tonmill $version for 64-bit Windows

Tonmill converts WMA audio files to MP3, many at a time.

Starting it
  Unpack the whole folder anywhere and run Tonmill.exe. It needs Windows 7
  or later (64-bit); nothing is installed and nothing is written to the
  registry. Keep mplayer.exe and ffmpeg.exe beside Tonmill.exe: the program
  looks for both in its own folder and says so when one is missing.

Using it
  Add WMA files with 新增 (several at once), a whole folder with 添加目录, or
  drag files and folders onto the window. Choose where the MP3 files go with
  设置输出目录 and press 立即转换.

What is in this folder
  Tonmill.exe                 the program
  mplayer.exe                 Tonmill's own probe that reads a WMA file's length
  ffmpeg.exe                  the MP3 encoder (see below)
  ffmpeg-LICENSE-GPL-3.txt    the encoder's licence, GNU GPL version 3
  ffmpeg-version.txt          the encoder's version and build configuration
  skins\\                      the program's five skins as .skn files
$gallery_line

Where the encoder comes from
  ffmpeg.exe is the stock FFmpeg build for 64-bit Windows published in the
  npm package @ffmpeg-installer/win32-x64 4.1.0, unchanged. It says of itself:
    $encoder_line
  That build is licensed under the GNU GPL version 3; its source is
  available from https://ffmpeg.org/ and ffmpeg-version.txt lists exactly
  how it was configured.
EOF

part="$out/$name.zip.part"
rm -f "$part"
(cd "$stage" && cmake -E tar cf "$part" --format=zip "$name")
mv -f "$part" "$out/$name.zip"
echo "package: $out/$name.zip ($(du -k "$out/$name.zip" | cut -f1) KiB)"
