# Starts a virtual X display when there is none; source it, do not run it.
# ensure_display sets DISPLAY, and stops the server it started when the
# sourcing shell exits.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      TONMILL_XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 50); do
        if xdpyinfo >/dev/null 2>&1; then
          trap 'kill "$TONMILL_XVFB_PID" 2>/dev/null || true' EXIT
          return 0
        fi
        sleep 0.1
      done
      kill "$TONMILL_XVFB_PID" 2>/dev/null || true
    fi
  done
  echo "xvfb: could not start a virtual display" >&2
  return 1
}
