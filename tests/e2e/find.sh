#!/usr/bin/env bash
# Ten years of days, "dentist" on three of them and typed unsaved into today: Ctrl+F, type
# DENTIST, the rows newest first; go to the second row; every file as it was but today's.
source "$(dirname "$0")/lib.sh" "$1"
seq 1 3650 | sed 's/$/ days ago/' | date -f - '+%Y_%m_%d ; YEAR:%Y; MONTH:%-m; DAY:%-d;' | while read -r name head; do
  printf "$head\r\n\r\n[SCHEDULE]\r\nTEXT_0 = Standup\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n" \
    > "$e2e_work/Data/$name.ini"
done
printf "$(page '650 days ago' "" "$(line 1 'Call the Dentist' 0 1)" "")" > "$(day_file '650 days ago')"
printf "$(page '1650 days ago' "$(line 3 'DENTIST 9:30' 0 1)" "" "")" > "$(day_file '1650 days ago')"
printf "$(page '3550 days ago' "" "" "$(line 1 'dentist bill' 0 1)")" > "$(day_file '3550 days ago')"
cp -a "$e2e_work/Data" "$e2e_work/before"

start_program
driver dialog Quillory 1121 "Ask about the DENTIST"
xdotool key ctrl+f
expect "Find has the keys" yes has_keys Find
xdotool type --delay 30 "DENTIST"
expect "count" "4 matches" driver read Find 1302
expect "rows" "$(date +%-m/%-d/%Y) | Note 1 | Ask about the DENTIST
$(date -d '650 days ago' +%-m/%-d/%Y) | To do 2 | Call the Dentist
$(date -d '1650 days ago' +%-m/%-d/%Y) | 09:30 | DENTIST 9:30
$(date -d '3550 days ago' +%-m/%-d/%Y) | Note 2 | dentist bill" driver read Find 1301
xdotool key --delay 500 Tab Down Return
expect "day and line shown" "$(date -d '650 days ago' '+%-d %B') Call the Dentist" text 1090 1091 1102
close_with_escape
expect_file "$(day_file today)" "$(page today "" "" "$(line 0 'Ask about the DENTIST' 0 1)")"
rm "$(day_file today)"
diff -r "$e2e_work/before" "$e2e_work/Data" >&2 || { echo "FAIL: the other day files changed" >&2; exit 1; }
