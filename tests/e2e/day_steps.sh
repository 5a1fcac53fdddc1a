#!/usr/bin/env bash
# The real program stepped back over a month end and forward again: every day
# left is saved under its own date, and every day reached shows its own line.
source "$(dirname "$0")/lib.sh" "$1"

forget_registry
start_program
today=$(date +%F)
day_of_month=$(date +%-d)

# Commands are posted, so the day shown is polled until the step has happened.
wait_for_day() {  # date
  local expected
  expected=$(date -d "$1" +%-d)
  for _ in $(seq 50); do [ "$(driver text 1090)" = "$expected" ] && return 0; sleep 0.1; done
  expect_eq "day number shown" "$expected" "$(driver text 1090)"
}

# Back from today to the last day of the previous month, one line on each day.
for back in $(seq 0 "$day_of_month"); do
  shown=$(date -d "$today - $back days" +%F)
  wait_for_day "$shown"
  driver settext 1101 "Errand of $shown"
  [ "$back" -lt "$day_of_month" ] && driver command 1200
done

# Forward again: each day shows the line it was given.
for forward in $(seq "$day_of_month" -1 0); do
  shown=$(date -d "$today - $forward days" +%F)
  wait_for_day "$shown"
  expect_eq "line of $shown" "Errand of $shown" "$(driver text 1101)"
  [ "$forward" -gt 0 ] && driver command 1202
done

close_with_escape
[ "$(date +%F)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }

for back in $(seq 0 "$day_of_month"); do
  shown=$(date -d "$today - $back days" +%F)
  expect_file "$e2e_work/Data/$(date -d "$shown" +%Y_%m_%d).ini" \
"; YEAR:$(date -d "$shown" +%Y); MONTH:$(date -d "$shown" +%-m); DAY:$(date -d "$shown" +%-d);\r\n\r\n\
[SCHEDULE]\r\n\r\n[TODO]\r\nTEXT_0 = Errand of $shown\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n\r\n[NOTE]\r\n"
done
expect_eq "files written" "$((day_of_month + 1))" "$(ls "$e2e_work/Data" | wc -l)"
echo "1 passed, 0 failed"
