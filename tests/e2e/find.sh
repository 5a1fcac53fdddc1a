#!/usr/bin/env bash
# Ten years of days, "dentist" on three of them and typed unsaved into today: Ctrl+F, type
# DENTIST, the rows newest first; go to the second row; every file as it was but today's.
source "$(dirname "$0")/lib.sh" "$1"

today=$(date +%F)
data="$e2e_work/Data"
mkdir -p "$data"
entry() { printf -v "$1" 'TEXT_%s = %s\r\nDONE_%s = 0\r\nMARK_%s = 1\r\n' "$2" "$3" "$2" "$2"; }
# A day as the program writes it: its first line, then what is given for each section.
page() {  # year month day schedule-entries todo-entries note-entries
  local name
  printf -v name '%s_%02d_%02d.ini' "$1" "$2" "$3"
  printf '; YEAR:%s; MONTH:%s; DAY:%s;\r\n\r\n[SCHEDULE]\r\n%s\r\n[TODO]\r\n%s\r\n[NOTE]\r\n%s' \
    "$1" "$2" "$3" "$4" "$5" "$6" > "$data/$name"
}
days_ago() { date -d "$today - $1 days" "$2"; }
seq 1 3650 | sed "s/.*/$today - & days/" | date -f - '+%Y %-m %-d' | while read -r y m d; do
  entry standup 0 "Standup $d"
  page "$y" "$m" "$d" "$standup" "" ""
done
entry e 1 'Call the Dentist'; read -r y m d <<< "$(days_ago 650 '+%Y %-m %-d')"; page "$y" "$m" "$d" "" "$e" ""
entry e 3 'DENTIST 9:30'; read -r y m d <<< "$(days_ago 1650 '+%Y %-m %-d')"; page "$y" "$m" "$d" "$e" "" ""
entry e 1 'dentist bill'; read -r y m d <<< "$(days_ago 3550 '+%Y %-m %-d')"; page "$y" "$m" "$d" "" "" "$e"
cp -a "$data" "$e2e_work/before"

forget_registry
start_program
driver settext 1121 "Ask about the DENTIST"
xdotool key ctrl+f
xdotool type --delay 30 "DENTIST"
for _ in $(seq 50); do [ "$(driver read Find 1302)" = "4 matches" ] && break; sleep 0.1; done
expect_eq "count" "4 matches" "$(driver read Find 1302)"
expect_eq "rows" "$(date +%-m/%-d/%Y) | Note 1 | Ask about the DENTIST
$(days_ago 650 +%-m/%-d/%Y) | To do 2 | Call the Dentist
$(days_ago 1650 +%-m/%-d/%Y) | 09:30 | DENTIST 9:30
$(days_ago 3550 +%-m/%-d/%Y) | Note 2 | dentist bill" "$(driver read Find 1301)"

xdotool key Tab Down
sleep 0.5
xdotool key Return
for _ in $(seq 50); do [ "$(driver text 1090)" = "$(days_ago 650 +%-d)" ] && break; sleep 0.1; done
expect_eq "day shown" "$(days_ago 650 +%-d) $(days_ago 650 +%B)" "$(driver text 1090) $(driver text 1091)"
expect_eq "line focused" "1102" "$(driver focused)"
close_with_escape
[ "$(date +%F)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }

today_file=$(date +%Y_%m_%d).ini
expect_file "$data/$today_file" "; YEAR:$(date +%Y); MONTH:$(date +%-m); DAY:$(date +%-d);\r\n\r\n\
[SCHEDULE]\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\nTEXT_0 = Ask about the DENTIST\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n"
rm "$data/$today_file"
diff -r "$e2e_work/before" "$data" >&2 || { echo "FAIL: the other day files changed" >&2; exit 1; }
echo "1 passed, 0 failed"
