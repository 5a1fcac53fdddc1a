#!/usr/bin/env bash
# The real program from the keyboard: a typed line cleared, brought back, cleared again by Redo
# and brought back once more is what the day's file holds.
source "$(dirname "$0")/lib.sh" "$1"

today=$(date +%Y_%m_%d)
forget_registry
start_program

xdotool type --delay 30 "Buy milk"
xdotool key --delay 200 ctrl+l ctrl+z ctrl+y ctrl+z
sleep 0.3
close_with_escape
[ "$(date +%Y_%m_%d)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }

expect_file "$e2e_work/Data/$today.ini" \
"; YEAR:$(date +%Y); MONTH:$(date +%-m); DAY:$(date +%-d);\r\n\r\n[SCHEDULE]\r\n\
TEXT_0 = Buy milk\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n"
echo "1 passed, 0 failed"
