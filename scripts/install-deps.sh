#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need; does nothing when
# they are all present already.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-serialport-dev qt6-svg-dev libgl-dev
  libicu-dev googletest libgtest-dev libgmock-dev clang-format
  libgettextpo-dev gettext qt6-translations-l10n fonts-dejavu-core
  xvfb xauth imagemagick xdotool desktop-file-utils appstream dbus at-spi2-core
  clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
