#!/usr/bin/env bash
# Closing a day in the real program carries its unfinished tasks and the periodic tasks due tomorrow
# into tomorrow's file, and leaves today's file and the periodic tasks file as they were.
source "$(dirname "$0")/lib.sh" "$1"
today=$(date +%Y_%m_%d)
tomorrow=$(date -d tomorrow +%Y_%m_%d)
read -r tomorrow_year tomorrow_month tomorrow_day tomorrow_weekday <<<"$(date -d tomorrow +'%Y %-m %-d %w')"
read -r year month day <<<"$(date +'%Y %-m %-d')"
mkdir -p "$e2e_work/Data"
# Both files are given as the program writes them, so that they must come back byte for byte.
printf '; YEAR:%s; MONTH:%s; DAY:%s;\r\n\r\n[SCHEDULE]\r\nTEXT_2 = Meeting\r\nDONE_2 = 0\r\nMARK_2 = 0\r\nTEXT_3 = Lunch\r\nDONE_3 = 1\r\nMARK_3 = 1\r\n\r\n[TODO]\r\nTEXT_0 = Call Bob\r\nDONE_0 = 0\r\nMARK_0 = 2\r\n\r\n[NOTE]\r\nTEXT_0 = a note\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n' \
  "$year" "$month" "$day" > "$e2e_work/Data/$today.ini"
# Due tomorrow: Gym by its weekday and Rent by its day of the month; Dentist falls due next month.
task() { printf '\r\n[ITEM_%s]\r\nname = %s\r\nperiod = %s\r\nweek = %s\r\nday = %s\r\nmonth = %s\r\n' "$@"; }
week=-------
{
  task 0 Gym "Day or week" "${week:0:tomorrow_weekday}+${week:tomorrow_weekday+1}" "" ""
  task 1 Rent Month "" "$tomorrow_day" ""
  task 2 Dentist Year "" "$tomorrow_day" "$((tomorrow_month % 12 + 1))"
} > "$e2e_work/directory_periodic.ini"
before=$(cat "$e2e_work/Data/$today.ini" "$e2e_work/directory_periodic.ini" | md5sum)
forget_registry
start_program
driver command 32803
[[ "$(driver message)" == Warning.*Continue? ]] || { echo "FAIL: no question" >&2; exit 1; }
xdotool key y  # Yes from the keyboard; No is the default button
for _ in $(seq 50); do [ "$(driver text 1090)" = "$tomorrow_day" ] && break; sleep 0.1; done
expect_eq "day shown" "$tomorrow_day" "$(driver text 1090)"
close_with_escape
[ "$(date +%Y_%m_%d)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }
expect_eq "today's and the periodic file" "$before" "$(cat "$e2e_work/Data/$today.ini" "$e2e_work/directory_periodic.ini" | md5sum)"
expect_file "$e2e_work/Data/$tomorrow.ini" \
"; YEAR:$tomorrow_year; MONTH:$tomorrow_month; DAY:$tomorrow_day;\r\n\r\n[SCHEDULE]\r\n\
TEXT_2 = Meeting\r\nDONE_2 = 0\r\nMARK_2 = 0\r\n\r\n[TODO]\r\n\
TEXT_0 = Gym\r\nDONE_0 = 0\r\nMARK_0 = 1\r\nTEXT_1 = Rent\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n\
TEXT_2 = Call Bob\r\nDONE_2 = 0\r\nMARK_2 = 2\r\n\r\n[NOTE]\r\n"
echo "1 passed, 0 failed"
