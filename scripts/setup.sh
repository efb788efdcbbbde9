#!/usr/bin/env bash
# Everything a fresh Debian 12 machine needs before a build: system packages,
# the pinned Windows encoder and the project's own Wine prefix. Idempotent.
set -euo pipefail
here="$(dirname "$0")"
bash "$here/install-deps.sh"
bash "$here/fetch-ffmpeg.sh"
bash "$here/wine-prefix.sh"
