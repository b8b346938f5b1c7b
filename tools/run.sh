#!/usr/bin/env bash
# Starts Velmora. On a desktop (an X11 DISPLAY or a Wayland WAYLAND_DISPLAY)
# it runs the program there; Qt opens it natively on Wayland. Without a
# display it starts a virtual X display (Xvfb), saves a screenshot of it once
# the window is up, prints the screenshot's path, and keeps running until the
# program ends or Ctrl+C. Ctrl+C ends the program first, then the virtual
# display, and leaves nothing running.
set -euo pipefail
exe="$1"

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$exe"
fi

echo "velmora: no display found; starting a virtual X display (Xvfb)"
ready=$(mktemp)
app_pid=
# Xvfb runs in a session of its own, so the terminal's Ctrl+C reaches this
# script and not the display: the program must not lose its display first.
# -displayfd picks a free display number and writes it once it accepts
# clients.
setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$ready" >/dev/null 2>&1 &
xvfb_pid=$!

# Ends the program, waits for it, then ends the display and waits for it.
stop() {
  trap '' INT TERM HUP
  if [[ -n "$app_pid" ]]; then
    kill -TERM "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
  fi
  if [[ -n "$xvfb_pid" ]]; then
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
  rm -f "$ready"
}
trap stop EXIT
trap 'exit 0' INT TERM HUP

display=
for _ in $(seq 100); do
  display=$(<"$ready")
  [[ -n "$display" ]] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "velmora: the virtual display (Xvfb) did not start" >&2
    exit 1
  fi
  sleep 0.1
done
if [[ -z "$display" ]]; then
  echo "velmora: the virtual display (Xvfb) did not start in 10 seconds" >&2
  exit 1
fi
display=":$display"

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
status=0
wait "$app_pid" || status=$?
app_pid=
exit "$status"
