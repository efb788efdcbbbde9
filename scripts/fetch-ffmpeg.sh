#!/usr/bin/env bash
# Unpacks the Windows encoder ffmpeg.exe from its pinned npm package into
# .deps/ffmpeg/, refusing a package whose checksum differs.
set -euo pipefail
source "$(dirname "$0")/env.sh"

package="@ffmpeg-installer/win32-x64@4.1.0"
expected="2aa313be3585994d710197bc4196f5fcbb6a1469be1013b24d200e45d773592f"
stamp="$TONMILL_DEPS/ffmpeg/.sha256"

if [ -f "$TONMILL_FFMPEG_EXE" ] && [ "$(cat "$stamp" 2>/dev/null)" = "$expected" ]; then
  exit 0
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package" >/dev/null)
tarball="$(ls "$work"/*.tgz)"
actual="$(sha256sum "$tarball" | cut -d' ' -f1)"
if [ "$actual" != "$expected" ]; then
  echo "fetch-ffmpeg: $package has SHA-256 $actual, expected $expected; refusing it" >&2
  exit 1
fi
tar -xzf "$tarball" -C "$work"
mkdir -p "$TONMILL_DEPS/ffmpeg"
install -m 0755 "$work/package/ffmpeg.exe" "$TONMILL_FFMPEG_EXE.part"
mv "$TONMILL_FFMPEG_EXE.part" "$TONMILL_FFMPEG_EXE"
echo "$expected" > "$stamp"
echo "fetch-ffmpeg: ffmpeg.exe ready in $TONMILL_DEPS/ffmpeg"
