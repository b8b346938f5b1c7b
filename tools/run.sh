#!/usr/bin/env bash
# Starts Velmora. Without a display it starts a virtual X display (Xvfb),
# saves a screenshot of it once the window is up, prints the screenshot's
# path, and keeps running until Ctrl+C.
set -euo pipefail
exe="$1"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$exe"
fi

display=":$((90 + RANDOM % 100))"
echo "velmora: no display found; starting the virtual X display $display (Xvfb)"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() {
  [[ -n "${app_pid:-}" ]] && kill "$app_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 0' INT TERM
for _ in $(seq 50); do
  DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$exe" &
app_pid=$!
sleep 3
shot="$PWD/make-run-shot-$(date +%Y%m%d-%H%M%S).png"
if DISPLAY="$display" import -window root "$shot" 2>/dev/null; then
  echo "velmora: screenshot of the virtual display saved to $shot"
else
  echo "velmora: could not take a screenshot (imagemagick's import failed)"
fi
echo "velmora: running on $display; press Ctrl+C to stop"
wait "$app_pid"
