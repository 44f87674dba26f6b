# Sourced: starts a private Xvfb on a display it picks itself and sets DISPLAY; tkt_stop_xvfb stops it by its PID.
tkt_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo" || return 1
  # Xvfb writes the display number it took to the descriptor named by -displayfd once it is ready.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  TKT_XVFB_PID=$!
  local n=
  read -r -t 30 n <"$fifo"
  rm -f "$fifo"
  if [ -z "$n" ]; then
    kill "$TKT_XVFB_PID" 2>/dev/null || true
    TKT_XVFB_PID=
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=:$n
}
tkt_stop_xvfb() {
  if [ -n "${TKT_XVFB_PID:-}" ]; then
    kill "$TKT_XVFB_PID" 2>/dev/null || true
    wait "$TKT_XVFB_PID" 2>/dev/null || true
    TKT_XVFB_PID=
  fi
}
