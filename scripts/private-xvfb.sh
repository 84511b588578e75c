# Sourced by the scripts: start_private_xvfb starts an Xvfb of our own on the
# first free display, points DISPLAY at it and stops it when the script exits.
# A screen taller than the 800-pixel window, so that nothing is cropped.
start_private_xvfb() {
  local log
  log=$(mktemp)
  exec {xvfb_displayfd}<> <(:)
  Xvfb -displayfd "$xvfb_displayfd" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
  xvfb_pid=$!
  xvfb_log=$log
  trap 'kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; rm -f "$xvfb_log"' EXIT
  local number
  if ! read -r -t 30 -u "$xvfb_displayfd" number; then
    cat "$log" >&2
    echo "Xvfb did not start" >&2
    exit 1
  fi
  export DISPLAY=":$number"
  unset XAUTHORITY
}
