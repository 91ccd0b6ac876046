#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the program need.
set -euo pipefail
packages=(
  g++ clang cmake make pkg-config ninja-build
  qt6-base-dev qt6-base-dev-tools
  libsqlite3-dev libjpeg-dev libgif-dev libcsv-dev
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  fonts-wqy-microhei fonts-noto-cjk xvfb xauth clang-format python3
  dpkg-dev sqlite3 desktop-file-utils appstream
  libxcb1-dev openbox
  qt6-translations-l10n x11-utils xdotool
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
