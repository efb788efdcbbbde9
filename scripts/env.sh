# Common locations for the project's scripts; source it, do not run it.
# Everything the scripts download or create lives under .deps/ (ignored by git).
TONMILL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TONMILL_DEPS="$TONMILL_ROOT/.deps"
export WINEPREFIX="${TONMILL_WINEPREFIX:-$TONMILL_DEPS/wineprefix}"
export WINEARCH=win64
# No Mono or Gecko installer dialog may ever wait for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
TONMILL_FFMPEG_EXE="$TONMILL_DEPS/ffmpeg/ffmpeg.exe"
