#!/usr/bin/env bash
# Installs every Debian package the game needs to build, run and test.
set -euo pipefail
PKGS=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libsdl2-dev libsdl2-mixer-dev timgm6mb-soundfont
  fonts-ipafont-gothic
  xvfb xauth x11-apps imagemagick libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev gcovr
  dpkg-dev desktop-file-utils
  lintian appstream man-db
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
