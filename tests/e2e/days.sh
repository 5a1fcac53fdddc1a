#!/usr/bin/env bash
# Closing today from the real program: no shortcut acts while its question is open (Ctrl+F opens no Find to take the
# answer), Yes from the keyboard (No is the default button) carries the unfinished tasks into tomorrow, and today's
# file is left as it was. Which lines are carried, and where, is the native tests'.
source "$(dirname "$0")/lib.sh" "$1"
printf "$(page today "$(line 2 Meeting 0 0)$(line 3 Lunch 1 1)" "$(line 0 'Call Bob' 0 2)" "")" > "$(day_file today)"
sum=$(md5sum "$(day_file today)")
start_program
driver dialog Quillory 32803
expect "question" "Warning. All uncompleted tasks will be moved to next day. Also all actual periodic tasks will be \
added. Continue?" text 65535
expect "the question has the keys" yes has_keys
xdotool key ctrl+f y
expect "day shown" "$(date -d tomorrow +%-d)" text 1090
close_with_escape
expect "today's file" "$sum" md5sum "$(day_file today)"
expect_file "$(day_file tomorrow)" "$(page tomorrow "$(line 2 Meeting 0 0)" "$(line 0 'Call Bob' 0 2)" "")"
