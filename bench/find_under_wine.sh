#!/usr/bin/env bash
# Timing harness, not a test: opens Find in the real program under Wine over ten
# years of full days (3,650 files, every line holding text) and reports the
# milliseconds until the list answers the first text typed, for the first
# opening and for a second one, which reads only what changed.
# With "scripts", about one word in three is Polish, Greek, Russian or Japanese.
# Usage: bench/find_under_wine.sh BUILD_DIR [scripts] (with quillory.exe, quillory_driver.exe and quillory_find_timing.exe built)
set -euo pipefail
build=$(cd "$1" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/quillory-find-timing.XXXXXX)
mkdir -p "$work/Data"
words=(meeting call Anna report lunch review budget train email plan doctor shop write read)
if [[ "${2:-}" == scripts ]]; then
  words=(meeting call Łukasz report Σύσκεψη review budget встреча email 会議 doctor żółw write read)
fi
n=0
seq 1 3650 | sed 's/.*/2026-01-01 - & days/' | date -f - '+%Y %-m %-d' | while read -r y m d; do
  printf -v file '; YEAR:%s; MONTH:%s; DAY:%s;\r\n' "$y" "$m" "$d"
  for section in SCHEDULE:22 TODO:20 NOTE:2; do
    printf -v file '%s\r\n[%s]\r\n' "$file" "${section%:*}"
    for ((i = 0; i < ${section#*:}; i++)); do
      n=$((n + 1))
      text="${words[n % 14]} ${words[(n / 3) % 14]} ${words[(n / 7) % 14]} with ${words[(n / 11) % 14]} at $((n % 24)):30"
      ((n % 4400 == 1)) && text="Dentist at nine"  # on every hundredth day, for the list to show
      printf -v file '%sTEXT_%d = %s\r\nDONE_%d = 0\r\nMARK_%d = 1\r\n' "$file" "$i" "$text" "$i" "$i"
    done
  done
  printf -v name '%s/Data/%s_%02d_%02d.ini' "$work" "$y" "$m" "$d"
  printf '%s' "$file" > "$name"
done

source "$repo/scripts/wine-env.sh" "$build"
(cd "$work" && exec wine "$build/quillory.exe") &
program=$!
driver() { wine "$build/quillory_driver.exe" "$@" | tr -d '\r'; }
driver wait
echo "first opening:  $(wine "$build/quillory_find_timing.exe" dentist | tr -d '\r')"
wine "$build/quillory_driver.exe" read Find 1302 >/dev/null  # waits for the dialog; Escape closes it
xdotool key Escape
sleep 1
echo "second opening: $(wine "$build/quillory_find_timing.exe" dentist | tr -d '\r')"
xdotool key Escape
sleep 1
driver close || true
wait "$program" || true
stop_wine_env
rm -rf "$work"
