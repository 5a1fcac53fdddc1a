#!/usr/bin/env bash
# The real program stepped back a day and forward again saves the day left and shows the day reached; closing today
# carries its unfinished tasks and the periodic tasks due tomorrow into tomorrow, leaving both files.
source "$(dirname "$0")/lib.sh" "$1"
# Both files are given as the program writes them, so that they must come back byte for byte.
printf "$(page today "$(line 2 Meeting 0 0)$(line 3 Lunch 1 1)" "$(line 0 'Call Bob' 0 2)" "$(line 0 'a note' 0 1)")" \
  > "$(day_file today)"
# Due tomorrow: Gym by its weekday and Rent by its day of the month; Dentist falls due next month.
read -r month day weekday <<<"$(date -d tomorrow +'%-m %-d %w')"
printf '\r\n[ITEM_%s]\r\nname = %s\r\nperiod = %s\r\nweek = %s\r\nday = %s\r\nmonth = %s\r\n' \
  0 Gym "Day or week" "$(sed "s/./+/$((weekday + 1))" <<<-------)" "" "" \
  1 Rent Month "" "$day" "" \
  2 Dentist Year "" "$day" "$((month % 12 + 1))" > "$e2e_work/directory_periodic.ini"
sums=$(md5sum "$(day_file today)" "$e2e_work/directory_periodic.ini")

start_program
driver dialog Quillory 1200
expect "yesterday shown" "$(date -d yesterday +%-d)" text 1090
driver dialog Quillory 1101 "Errand"
driver dialog Quillory 1202
expect "today shown" "$(date +%-d) Call Bob" text 1090 1101
driver dialog Quillory 32803
expect "question" "Warning. All uncompleted tasks will be moved to next day. Also all actual periodic tasks will be \
added. Continue?" text 65535
# No shortcut acts while the question is open: Ctrl+F opens no Find to take the answer, and Yes from the keyboard
# (No is the default button) closes today.
expect "the question has the keys" yes has_keys
xdotool key ctrl+f y
expect "day shown" "$day" text 1090
close_with_escape

expect "today's and the periodic file" "$sums" md5sum "$(day_file today)" "$e2e_work/directory_periodic.ini"
expect_file "$(day_file tomorrow)" "$(page tomorrow "$(line 2 Meeting 0 0)" \
  "$(line 0 Gym 0 1)$(line 1 Rent 0 1)$(line 2 'Call Bob' 0 2)" "")"
expect_file "$(day_file yesterday)" "$(page yesterday "" "$(line 0 Errand 0 1)" "")"
[ "$(ls "$e2e_work/Data" | wc -l)" = 3 ] || { echo "FAIL: other files were written" >&2; exit 1; }
