#!/usr/bin/env bash
# Saves a PNG of the whole current X display: screenshot.sh OUT.png
set -euo pipefail
import -window root "$1"
echo "screenshot: $1"
