#!/usr/bin/env bash
# Installs what building and testing Zorvik needs on Debian 12 (run as root).
#   install-deps.sh        everything: three builds and every test
#   install-deps.sh run    only what building and running the Linux client needs
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

run_packages=(
  cmake g++ make pkg-config libgtk-3-dev libwebkit2gtk-4.1-dev
  xvfb xauth imagemagick fonts-wqy-microhei dbus dbus-x11
)
test_packages=(
  libgtest-dev libgmock-dev clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xdotool x11-utils openbox trayer locales python3 python3-dbus python3-gi
)

packages=("${run_packages[@]}")
[ "${1:-all}" = run ] || packages+=("${test_packages[@]}")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
