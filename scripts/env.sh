# Common locations for the project's scripts; source it, do not run it.
# Everything the scripts download or create lives under .deps/ (ignored by git).
TONMILL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TONMILL_DEPS="$TONMILL_ROOT/.deps"
export WINEPREFIX="${TONMILL_WINEPREFIX:-$TONMILL_DEPS/wineprefix}"
# In a Wine lane (scripts/in-lane.sh), a Windows test has a prefix, wine
# server and display of its own, so tests side by side never share a
# desktop, a mouse or a registry. Lane 0 is the prefix above.
if [ -n "${TONMILL_LANE_DISPLAYS:-}" ] && [ -n "${TONMILL_LANE:-}" ]; then
  [ "$TONMILL_LANE" = 0 ] || WINEPREFIX="$WINEPREFIX-lane$TONMILL_LANE"
  read -r -a tonmill_lane_displays <<< "$TONMILL_LANE_DISPLAYS"
  export DISPLAY="${tonmill_lane_displays[$TONMILL_LANE]}"
fi
# A script that runs Windows tests calls take_lane "$0" "$@" first: where
# lanes are set up it starts again in the first free one (nothing happens
# outside lanes, or inside one).
take_lane() {
  if [ -n "${TONMILL_LANE_DISPLAYS:-}" ] && [ -z "${TONMILL_LANE:-}" ]; then
    exec bash "$TONMILL_ROOT/scripts/in-lane.sh" bash "$@"
  fi
}
export WINEARCH=win64
# No Mono or Gecko installer dialog may ever wait for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
TONMILL_FFMPEG_EXE="$TONMILL_DEPS/ffmpeg/ffmpeg.exe"
