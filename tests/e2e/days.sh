#!/usr/bin/env bash
# The real program stepped back over a month end and forward again saves every day left and shows every day reached;
# closing today carries its unfinished tasks and the periodic tasks due tomorrow into tomorrow, leaving both files.
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
back=$(seq 1 "$(date +%-d)")
for ago in $back; do
  driver dialog Quillory 1200
  expect "day shown" "$(date -d "$ago days ago" +%-d)" text 1090
  driver dialog Quillory 1101 "Errand of $(date -d "$ago days ago" +%F)"
done
for ago in $(tac <<<"$back"); do
  expect "line of $ago days ago" "$(date -d "$ago days ago" '+%-d Errand of %F')" text 1090 1101
  driver dialog Quillory 1202
done
expect "line of today" "$(date +%-d) Call Bob" text 1090 1101
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
for ago in $back; do
  expect_file "$(day_file "$ago days ago")" \
    "$(page "$ago days ago" "" "$(line 0 "Errand of $(date -d "$ago days ago" +%F)" 0 1)" "")"
done
[ "$(ls "$e2e_work/Data" | wc -l)" = "$(($(date +%-d) + 2))" ] || { echo "FAIL: other files were written" >&2; exit 1; }
