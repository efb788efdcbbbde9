# Common locations for the project's scripts; source it, do not run it.
# Everything the scripts download or create lives under .deps/ (ignored by git).
TONMILL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TONMILL_DEPS="$TONMILL_ROOT/.deps"
export WINEPREFIX="${TONMILL_WINEPREFIX:-$TONMILL_DEPS/wineprefix}"
# Under CTest with the project's resource spec (scripts/test.sh), a Windows
# test runs in the lane it was given: each lane has its own prefix, wine
# server and display, so tests side by side never share a desktop, a mouse
# or a registry. Lane 0 is the prefix above.
if [ -n "${TONMILL_LANE_DISPLAYS:-}" ] && [[ "${CTEST_RESOURCE_GROUP_0_LANES:-}" =~ id:([0-9]+) ]]; then
  tonmill_lane="${BASH_REMATCH[1]}"
  [ "$tonmill_lane" = 0 ] || WINEPREFIX="$WINEPREFIX-lane$tonmill_lane"
  read -r -a tonmill_lane_displays <<< "$TONMILL_LANE_DISPLAYS"
  export DISPLAY="${tonmill_lane_displays[$tonmill_lane]}"
fi
export WINEARCH=win64
# No Mono or Gecko installer dialog may ever wait for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
TONMILL_FFMPEG_EXE="$TONMILL_DEPS/ffmpeg/ffmpeg.exe"
