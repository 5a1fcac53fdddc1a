#!/usr/bin/env bash
# Builds Quillory and runs it in its own working folder ($QUILLORY_HOME, by
# default ~/Quillory), where it keeps its Data folder and directory files.
# Without a display it runs on a virtual one, saves a screenshot of the window,
# and closes the program normally so that everything is saved.
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
cd "$repo"

scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target quillory quillory_driver manual

home="${QUILLORY_HOME:-$HOME/Quillory}"
mkdir -p "$home"
cp build/windows/quillory.exe "$home/"
[ -f build/windows/Quillory.chm ] && cp build/windows/Quillory.chm "$home/"

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
source scripts/wine-env.sh "$home/.wine"
trap stop_wine_env EXIT
cd "$home"

if [ "$headless" = 0 ]; then
  wine quillory.exe
  exit 0
fi

wine quillory.exe &
program=$!
wine "$repo/build/windows/quillory_driver.exe" wait
sleep 1
shot="$home/quillory-screenshot.png"
import -window root "$shot"
wine "$repo/build/windows/quillory_driver.exe" close
wait "$program" || true
echo "Screenshot of the window: $shot"
