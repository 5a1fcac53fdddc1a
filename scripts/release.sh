#!/usr/bin/env bash
# Builds the release archive build/release/quillory-<version>.zip: the program,
# optimised for size and stripped, its user manual and a README for Windows users;
# beside it the same as the installer package Quillory-<version>.msi, and its
# manifest for the Windows Package Manager in build/release/winget/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target quillory manual

out=build/release
version=$(sed -n 's/^#define QUILLORY_VERSION_TEXT "\(.*\)"$/\1/p' "$out/cmake/generated/version.h")
name="quillory-$version"
rm -rf "${out:?}/$name" "$out/$name.zip"
mkdir -p "$out/$name"
x86_64-w64-mingw32-strip -o "$out/$name/quillory.exe" "$out/cmake/quillory.exe"
cp "$out/cmake/Quillory.chm" "$out/$name/"
# Notepad before Windows 10 shows a text with bare line feeds as one long line.
sed 's/\r*$/\r/' docs/README-windows.txt >"$out/$name/README.txt"
(cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
scripts/msi.sh "$out/$name" "$version" "$out" >/dev/null

echo "$out/$name.zip"
echo "$out/Quillory-$version.msi"
echo "quillory.exe: $(stat -c %s "$out/$name/quillory.exe") bytes"
