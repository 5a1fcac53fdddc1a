#!/usr/bin/env bash
# Installed as a user installs it, in a Wine prefix made afresh: the package installed silently for this user, started
# from the Start menu into Documents\Quillory, an invitation elsewhere opened with it, a newer package over it, removal.
source "$(dirname "$0")/lib.sh" "$1"
# Wine links a new prefix's Documents to the Unix home folder; here it is the scratch folder's.
export WINEPREFIX=$e2e_build/installer/wineprefix
rm -rf "$e2e_build/installer"
mkdir -p "$e2e_build/installer" "$e2e_work/home" "$e2e_work/mail" "$e2e_work/packages"
trap 'wineserver -k; WINEPREFIX=$e2e_build/wineprefix e2e_cleanup' EXIT
HOME=$e2e_work/home wineboot >/dev/null 2>&1 </dev/null
wineserver -p >/dev/null 2>&1 </dev/null || true
user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public)
profile="C:\\users\\$user" programs=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Quillory
shortcut="$profile\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Quillory.lnk"
documents=$e2e_work/home/Quillory
options='HKCU\Software\Brenhollow\Quillory' run='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# The package of this build's version, and one a build newer.
version=$(sed -n 's/^#define QUILLORY_VERSION_TEXT "\(.*\)"$/\1/p' "$e2e_build/generated/version.h")
IFS=. read -r major minor build <<<"$version"
newer="$major.$minor.$((${build:-0} + 1))"
cp "$e2e_build/quillory.exe" "$e2e_build/Quillory.chm" "$e2e_work/packages/"
cp "$(dirname "$0")/../../docs/README-windows.txt" "$e2e_work/packages/README.txt"
for v in "$version" "$newer"; do "$(dirname "$0")/../../scripts/msi.sh" "$e2e_work/packages" "$v" "$e2e_work/packages" >/dev/null; done
# The package's tables: its name and version, for this user by default (no ALLUSERS, and no elevation asked for in
# the summary's word count), and "Open with" by a ProgID of its own.
package=$e2e_work/packages/Quillory-$version.msi
property() { msiinfo export "$package" Property | tr -d '\r' | sed -n "s/^$1\t//p"; }
[ "$(property ProductName)|$(property ProductVersion)|$(property ALLUSERS)" = "Quillory|$version|" ] || { echo "FAIL: properties" >&2; exit 1; }
[ $(( $(msiinfo suminfo "$package" | sed -n 's/^Source: \([0-9]*\).*/\1/p') & 8 )) = 8 ] || { echo "FAIL: asks for elevation" >&2; exit 1; }
msiinfo export "$package" Registry | tr -d '\r' | grep -qP '\tSoftware\\Classes\\\.ics\\OpenWithProgids\tQuillory\.ics\t' ||
  { echo "FAIL: no ProgID under OpenWithProgids" >&2; exit 1; }
# The manifest for the Windows Package Manager names the last package built by its hash.
grep -qx "  InstallerSha256: $(sha256sum "$e2e_work/packages/Quillory-$newer.msi" | cut -c1-64 | tr a-f A-F)" \
  "$e2e_work/packages/winget/"*.installer.yaml || { echo "FAIL: the manifest's hash" >&2; exit 1; }
msiexec() { wine msiexec "$@" /qn >"$e2e_work/msiexec.log" 2>&1 || { echo "FAIL: msiexec $* ended with $?" >&2; exit 1; }; }
value() {  # key, name (none: the default)
  local which=(/ve)
  [ -z "${2:-}" ] || which=(/v "$2")
  { wine reg query "$1" "${which[@]}" 2>/dev/null || true; } | tr -d '\r' | sed -n "s/^ *${2:-(Default)} *REG_[A-Z_]* *//p"
}

msiexec /i "$e2e_work/packages/Quillory-$version.msi"
ls "$programs" | paste -sd ' ' | grep -qx "Quillory.chm README.txt quillory.exe" || { echo "FAIL: installed:" >&2; ls "$programs" >&2; exit 1; }
expect "the Start menu's shortcut" "$profile\\AppData\\Local\\Programs\\Quillory\\quillory.exe|$profile\\AppData\\Local\\Programs\\Quillory\\" \
  eval 'driver shortcut "$shortcut" | paste -sd "|"'

# From the Start menu: the files go to Documents\Quillory, made at this first start.
wine start /wait "$shortcut" & e2e_pid=$!
driver wait
expect "the window has the keys" yes has_keys
xdotool type --delay 30 "Dentist"
close_with_escape
# The shell's start returns before the program has ended; the next start would find it closing.
for _ in $(seq 100); do pgrep -f 'quillory\.exe' >/dev/null || break; sleep 0.1; done
expect_file "$documents/Data/$(date +%Y_%m_%d).ini" "$(page today "$(line 0 Dentist 0 1)" "" "")"

# "Open with" runs the command the package registered, in the invitation's folder, as the shell does.
day=$(date -d '+2 days' +%F)
printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:review@example.org\r\nSUMMARY:Design review\r\nDTSTART:%s\r\nDTEND:%s\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n' \
  "$(date -d "$day" +%Y%m%dT100000)" "$(date -d "$day" +%Y%m%dT103000)" > "$e2e_work/mail/invite.ics"
command=$(value 'HKCU\Software\Classes\Quillory.ics\shell\open\command')
eval "set -- ${command//%1/$(winepath -w "$e2e_work/mail/invite.ics")}"
(cd "$e2e_work/mail" && exec wine "$@") & e2e_pid=$!
driver wait
expect "the summary" "Imported 1 event on 1 day." text 65535
expect "the summary has the keys" yes has_keys
xdotool key Return
close_with_escape
grep -q "^TEXT_4 = Design review"$'\r'"\$" "$documents/Data/$(date -d "$day" +%Y_%m_%d).ini" || { ls -R "$documents" >&2; exit 1; }
[ ! -e "$e2e_work/mail/Data" ] || { echo "FAIL: a Data folder beside the invitation" >&2; exit 1; }

# A newer package replaces the program and keeps the days, the options and the logon entry.
wine reg add "$options" /v am_pm /t REG_DWORD /d 1 /f >/dev/null
kept() { md5sum "$documents/Data/"*.ini; value "$options" am_pm; value "$options" folder; value "$run" Quillory; }
before=$(kept)
msiexec /i "$e2e_work/packages/Quillory-$newer.msi"
expect "what the newer package kept" "$before" kept
expect "the one version installed" "$(printf '0x%x' $((major << 24 | minor << 16 | ${build:-0} + 1)))" \
  eval "wine reg query 'HKCU\\Software\\Microsoft\\Installer\\Products' /s /v Version | tr -d '\\r' | sed -n 's/.*REG_DWORD *//p'"

# Removed: the program, the shortcut, "Open with" and the logon entry go; the days and the options stay.
msiexec /x "$e2e_work/packages/Quillory-$newer.msi"
for gone in "$programs" "$(winepath -u "$shortcut")"; do [ ! -e "$gone" ] || { echo "FAIL: $gone stays" >&2; exit 1; }; done
entries() { echo "$(value 'HKCU\Software\Classes\Quillory.ics\shell\open\command')|$(value \
  'HKCU\Software\Classes\.ics\OpenWithProgids' Quillory.ics)|$(value "$run" Quillory)|$(value "$options" am_pm)"; }
expect "the entries left" "|||0x1" entries
expect_file "$documents/Data/$(date +%Y_%m_%d).ini" "$(page today "$(line 0 Dentist 0 1)" "" "")"
