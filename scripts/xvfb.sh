# Sourced: starts a private Xvfb on a free display and sets DISPLAY; tkt_stop_xvfb stops it by its PID.
tkt_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e /tmp/.X11-unix/X$n ] && [ ! -e /tmp/.X$n-lock ]; then
      Xvfb :$n -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
      TKT_XVFB_PID=$!
      export DISPLAY=:$n
      local i
      for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        kill -0 $TKT_XVFB_PID 2>/dev/null || break
        sleep 0.1
      done
      kill $TKT_XVFB_PID 2>/dev/null || true
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}
tkt_stop_xvfb() {
  if [ -n "${TKT_XVFB_PID:-}" ]; then
    kill "$TKT_XVFB_PID" 2>/dev/null || true
    wait "$TKT_XVFB_PID" 2>/dev/null || true
    TKT_XVFB_PID=
  fi
}
