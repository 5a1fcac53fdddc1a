#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the run command need,
# and only those that are missing, so a fresh Debian 12 machine needs nothing else.
set -euo pipefail

packages=(
  cmake g++ clang libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 mingw-w64-tools
  wine wine64 xvfb xauth xdotool x11-utils imagemagick fp-utils
  python3-icalendar python3-dateutil
  msitools wixl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
