#!/usr/bin/env bash
# Closing a day in the real program carries its unfinished tasks and the periodic tasks due tomorrow
# into tomorrow's file, and leaves today's file and the periodic tasks file as they were.
source "$(dirname "$0")/lib.sh" "$1"
# Both files are given as the program writes them, so that they must come back byte for byte.
printf "$(page today "$(line 2 Meeting 0 0)$(line 3 Lunch 1 1)" "$(line 0 'Call Bob' 0 2)" "$(line 0 'a note' 0 1)")" \
  > "$(day_file today)"
# Due tomorrow: Gym by its weekday and Rent by its day of the month; Dentist falls due next month.
task() { printf '\r\n[ITEM_%s]\r\nname = %s\r\nperiod = %s\r\nweek = %s\r\nday = %s\r\nmonth = %s\r\n' "$@"; }
read -r month day weekday <<<"$(date -d tomorrow +'%-m %-d %w')"
week=-------
{
  task 0 Gym "Day or week" "${week:0:weekday}+${week:weekday+1}" "" ""
  task 1 Rent Month "" "$day" ""
  task 2 Dentist Year "" "$day" "$((month % 12 + 1))"
} > "$e2e_work/directory_periodic.ini"
given=("$(day_file today)" "$e2e_work/directory_periodic.ini")
sums=$(md5sum "${given[@]}")
start_program
driver dialog Quillory 32803
expect "question" "Warning. All uncompleted tasks will be moved to next day. Also all actual periodic tasks will be \
added. Continue?" text 65535
xdotool key y  # Yes from the keyboard; No is the default button
expect "day shown" "$day" text 1090
close_with_escape
expect "today's and the periodic file" "$sums" md5sum "${given[@]}"
expect_file "$(day_file tomorrow)" "$(page tomorrow "$(line 2 Meeting 0 0)" \
  "$(line 0 Gym 0 1)$(line 1 Rent 0 1)$(line 2 'Call Bob' 0 2)" "")"
