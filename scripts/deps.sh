#!/usr/bin/env bash
# Installs, on Debian 12, every package the build, the program and the tests need.
# Does nothing (and asks for no network) when they are all present already.
set -euo pipefail

pacotes=(
  # build
  cmake g++ ninja-build pkg-config qt6-base-dev qt6-multimedia-dev libespeak-ng-dev libzip-dev
  libxcb1-dev
  clang-format
  # run time
  fonts-dejavu-core fonts-liberation qt6-translations-l10n espeak-ng-data xdg-utils
  libqt6svg6 # the image plugin that draws imported SVG pictures
  gstreamer1.0-plugins-good gstreamer1.0-plugins-base pulseaudio pulseaudio-utils
  # pictogram library
  fonts-noto-color-emoji unicode-cldr-core unicode-data
  # headless tests
  xvfb xauth x11-utils xdotool imagemagick poppler-utils sox lame
  # validators of the menu entry, AppStream data and manual page (small)
  desktop-file-utils appstream man-db
)

faltando=()
for p in "${pacotes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltando+=("$p")
done
[ ${#faltando[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Faltam pacotes (${faltando[*]}); rode este script como root." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${faltando[@]}" >/dev/null
