#!/usr/bin/env bash
# The real program killed hard keeps what was typed and what was added to a directory.
source "$(dirname "$0")/lib.sh" "$1"
kill_hard() { kill -9 "$e2e_pid"; wait "$e2e_pid" 2>/dev/null || true; e2e_pid=""; still_today; }

start_program
xdotool type --delay 30 "Standup"
xdotool key Return
xdotool type --delay 30 "Buy stamps"
xdotool key ctrl+2
driver dialog Quillory 1030
expect_file "$(day_file today)" "$(page today "$(line 0 Standup 1 1)$(line 1 'Buy stamps' 0 2)" "" "")"
kill_hard

start_program
expect "page shown after the kill" "Standup 1 Buy stamps" text 1000 1030 1001
xdotool key ctrl+t
driver dialog Templates 3
driver dialog "Add template" 1209 Dentist
driver dialog "Add template" 1
driver dialog Templates 2
expect_file "$e2e_work/directory_template.ini" "\r\n[ITEM_0]\r\nname = Dentist\r\n"
kill_hard
