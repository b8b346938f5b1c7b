#!/usr/bin/env bash
# Installs the Debian packages Velmora needs to build, test and run, when any
# is missing. Runs apt-get as root, or through sudo for a normal user.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  libgtest-dev googletest
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  dbus tzdata
  xvfb xauth imagemagick x11-utils
  qt6-wayland
  dpkg-dev file
  desktop-file-utils appstream
  trayer xdotool libxcb1-dev
  libfontconfig-dev
)
if [[ "${1:-}" == "--ci" ]]; then
  PACKAGES+=(clang libclang-rt-14-dev llvm)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "velmora: installing missing Debian packages: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null; then
    SUDO=(sudo)
  else
    echo "velmora: need root or sudo to install: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
