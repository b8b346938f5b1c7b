#!/usr/bin/env bash
# Installs Velmora into a temporary prefix (with a space in it) as a user
# would, then checks what a desktop relies on: every file in its place, the
# menu entry and the metainfo as their validators judge them, and that the
# installed program, started from the prefix, takes its alarm sound from
# <prefix>/share/velmora and keeps its settings in $XDG_CONFIG_HOME/velmora.
# Exits 77 (skipped) when a validator is not installed.
set -euo pipefail
build="$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix="$tmp/pre fix"
failed=0 skipped=0
fail() { echo "FAIL: $*"; failed=1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/velmora share/applications/org.example.Velmora.desktop \
  share/metainfo/org.example.Velmora.metainfo.xml share/man/man1/velmora.1.gz \
  "share/velmora/Sound/Wake up.mp3" share/velmora/help/index.html \
  share/icons/hicolor/scalable/apps/velmora.svg \
  share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/velmora.png; do
  [[ -f "$prefix/$f" ]] || fail "not installed: $f"
done
compgen -G "$prefix/lib*/velmora/libvelmora-player.so" >/dev/null || fail "not installed: the player library"
entry="$prefix/share/applications/org.example.Velmora.desktop"
grep -qxF "Exec=\"$prefix/bin/velmora\"" "$entry" || fail "Exec does not start the installed program: $(grep ^Exec "$entry")"
gzip -dc "$prefix/share/man/man1/velmora.1.gz" | grep -qF "$prefix/share/velmora/Sound/Wake up.mp3" ||
  fail "the manual page does not name the installed alarm sound"

validate() {  # tool, its Debian package, arguments
  local tool="$1" package="$2"
  shift 2
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian package $package)"
    skipped=1
  elif ! out=$("$tool" "$@" 2>&1); then
    fail "$tool: $out"
  fi
}
validate desktop-file-validate desktop-file-utils "$entry"
validate appstreamcli appstream validate --no-net "$prefix/share/metainfo/org.example.Velmora.metainfo.xml"

# The installed program's first start writes its default alarm sound to its
# settings file; it cannot reach any bus and finds no other instance.
mkdir -m 700 "$tmp/run"
env -i PATH=/usr/bin:/bin HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" \
  QT_QPA_PLATFORM=offscreen DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent/velmora-test-system-bus \
  DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent/velmora-test-session-bus \
  "$prefix/bin/velmora" >"$tmp/out" 2>&1 &
app=$!
settings="$tmp/config/velmora/Velmora.ini"
for _ in $(seq 100); do
  [[ -s "$settings" ]] && break
  kill -0 "$app" 2>/dev/null || break
  sleep 0.1
done
kill "$app" 2>/dev/null || fail "the installed program ended by itself: $(cat "$tmp/out")"
wait "$app" 2>/dev/null || true
grep -qxF $'AlarmSound='"$prefix/share/velmora/Sound/Wake up.mp3"$'\r' "$settings" ||
  fail "no default alarm sound from the prefix in $settings: $(cat "$settings" 2>/dev/null)"
[[ ! -e "$prefix/bin/Velmora.ini" ]] || fail "the installed program wrote its settings into $prefix/bin"

((failed)) && exit 1
((skipped)) && exit 77
echo "install: all checks passed"
