#!/usr/bin/env bash
# Installs the Debian 12 packages the console needs to build, run and test.
# Does nothing when all of them are present; otherwise runs `apt-get update` once and installs
# the missing ones. Works as root or through sudo.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake ninja-build pkg-config ccache
  # Qt 6: widgets, SQL with SQLite, serial port list, sound
  qt6-base-dev libqt6sql6-sqlite qt6-serialport-dev qt6-multimedia-dev libgl-dev
  # Qt 6 charts for the trend window (its CMake package needs the OpenGL one)
  qt6-charts-dev libqt6opengl6-dev
  # fonts with Cyrillic for the windows (also offscreen)
  fonts-dejavu-core fonts-urw-base35 fontconfig
  # screenshots and headless runs
  xvfb xauth x11-apps x11-utils imagemagick openbox xdotool
  # Modbus RTU for the RS-485 link and its slave simulator
  libmodbus-dev
  # test helpers
  python3 sox
  # independent SMS PDU reader for the codec cross-check tests
  python3-gammu
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "Installing missing packages: ${missing[*]}"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
