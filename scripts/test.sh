#!/usr/bin/env bash
# The one test command: native unit tests (also under the sanitizers), then the
# Windows build and its tests under Wine on a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/install-deps.sh
scripts/check-layout.py

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j "$jobs" --target quillory_native_tests
ctest --preset native-sanitize -j "$jobs"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
QUILLORY_VIRTUAL_DISPLAY=1 source scripts/wine-env.sh "$PWD/build/windows"
trap stop_wine_env EXIT
ctest --preset windows
