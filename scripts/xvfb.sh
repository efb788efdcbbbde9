# Starts virtual X displays; source it, do not run it. The servers started
# here stop when the sourcing shell exits.
TONMILL_XVFB_PIDS=()

# Starts a virtual display on the first free number and names it in
# TONMILL_NEW_DISPLAY.
start_virtual_display() {
  local n
  for n in $(seq 90 190); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      local pid=$!
      local i
      for i in $(seq 1 50); do
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
          TONMILL_XVFB_PIDS+=("$pid")
          trap 'kill "${TONMILL_XVFB_PIDS[@]}" 2>/dev/null || true' EXIT
          TONMILL_NEW_DISPLAY=":$n"
          return 0
        fi
        sleep 0.1
      done
      kill "$pid" 2>/dev/null || true
    fi
  done
  echo "xvfb: could not start a virtual display" >&2
  return 1
}

# Sets DISPLAY, starting a virtual display when there is none.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  start_virtual_display || return 1
  export DISPLAY="$TONMILL_NEW_DISPLAY"
}
