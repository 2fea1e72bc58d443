#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing tirages need,
# and only those that are missing. Needs root (or sudo) when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins libqt6sql6-sqlite libsqlite3-dev qt6-translations-l10n libgl-dev libbenchmark-dev
  qt6-charts-dev libqt6opengl6-dev
  xvfb xauth x11-utils xdotool imagemagick fonts-dejavu-core fonts-liberation2
  appstream desktop-file-utils file
  python3 python3-grammalecte
  at-spi2-core python3-pyatspi dbus faketime
  libxkbcommon-x11-0 libxcb-cursor0
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
