#!/usr/bin/env bash
# Builds the Windows Installer package OUT/Quillory-VERSION.msi from a folder that
# holds quillory.exe, Quillory.chm and README.txt (the release archive's folder),
# and its manifest for the Windows Package Manager in OUT/winget/.
# Usage: scripts/msi.sh FOLDER VERSION OUT
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
folder=$(cd "$1" && pwd)
version=$2
out=$(cd "$3" && pwd)
msi=$out/Quillory-$version.msi

# The installer compares three fields of a version; the one just above this
# package's bounds the versions it replaces (the same one included).
IFS=. read -r major minor build _ <<<"$version"
above="$major.$minor.$((${build:-0} + 1))"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$folder/quillory.exe" "$folder/Quillory.chm" "$folder/README.txt" "$source/resources/quillory.ico" "$stage/"
(cd "$stage" && wixl -a x64 -D Version="$version" -D UpgradeBelow="$above" -o "$msi" "$source/packaging/quillory.wxs")
# wixl writes HKMU as 4; the installer's number for it, the user's hive or the
# machine's as the install goes, is -1.
msibuild "$msi" -q 'UPDATE `Registry` SET `Root` = -1 WHERE `Root` = 4'
msibuild "$msi" -q "UPDATE \`Component\` SET \`Condition\` = 'LOGON_ENTRY' WHERE \`Component\` = 'LogonEntry'"

# The manifest as the community repository takes it: one file for the version,
# one for the installer, one for the texts. The package is to be published
# beside the home page.
id=Brenhollow.Quillory
product=$(msiinfo export "$msi" Property | tr -d '\r' | sed -n 's/^ProductCode\t//p')
sha=$(sha256sum "$msi" | cut -c1-64 | tr a-f A-F)
mkdir -p "$out/winget"
header="PackageIdentifier: $id
PackageVersion: $version"
footer="ManifestVersion: 1.6.0"
cat >"$out/winget/$id.yaml" <<YAML
$header
DefaultLocale: en-US
ManifestType: version
$footer
YAML
cat >"$out/winget/$id.installer.yaml" <<YAML
$header
InstallerType: msi
Scope: user
UpgradeBehavior: install
FileExtensions:
- ics
ProductCode: '$product'
Installers:
- Architecture: x64
  InstallerUrl: https://www.brenhollow.com/quillory/Quillory-$version.msi
  InstallerSha256: $sha
ManifestType: installer
$footer
YAML
cat >"$out/winget/$id.locale.en-US.yaml" <<YAML
$header
PackageLocale: en-US
Publisher: Brenhollow
PackageName: Quillory
PackageUrl: https://www.brenhollow.com/quillory
License: Proprietary
ShortDescription: A keyboard-driven day planner that keeps every day in a plain text file.
ManifestType: defaultLocale
$footer
YAML
echo "$msi"
