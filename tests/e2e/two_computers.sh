#!/usr/bin/env bash
# The real program with a second program writing its files as a sync client does (a temporary file renamed over):
# a day file that arrives is never deleted, a line that arrives in the day shown appears and typing afterwards keeps
# both, and a templates entry that arrives while the list is open joins the one the user adds there.
source "$(dirname "$0")/lib.sh" "$1"
elsewhere() { printf "$2" > "$(dirname "$1")/.sync-$$.tmp" && mv -f "$(dirname "$1")/.sync-$$.tmp" "$1"; }  # path, bytes
rows() { driver read Templates 1208 | paste -sd ' '; }

# Today's empty page, closed while a day file arrives, does not delete it; nor is it written again.
start_program
elsewhere "$(day_file today)" '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n'
close_with_escape
expect "the day file that arrived" "$(printf '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n' | md5sum)" \
  md5sum < "$(day_file today)"

elsewhere "$e2e_work/directory_template.ini" '\r\n[ITEM_0]\r\nname = Dentist\r\n'
start_program
expect "page shown" "Standup " text 1000
elsewhere "$(day_file today)" '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\nTEXT_1 = Call Ann\r\n'
expect "line that arrived" "Standup  Call Ann" text 1000 1001
xdotool key Return Return
xdotool type --delay 30 "Buy stamps"
both="$(page today "$(line 0 Standup 0 1)$(line 1 'Call Ann' 0 1)$(line 2 'Buy stamps' 0 1)" "" "")"
expect_file "$(day_file today)" "$both"

xdotool key ctrl+t
expect "templates listed" "Dentist" rows
elsewhere "$e2e_work/directory_template.ini" '\r\n[ITEM_0]\r\nname = Dentist\r\n\r\n[ITEM_1]\r\nname = Call the bank\r\n'
expect "template that arrived" "Call the bank Dentist" rows
driver dialog Templates 3
driver dialog "Add template" 1209 Gym
driver dialog "Add template" 1
expect "templates listed" "Call the bank Dentist Gym" rows
driver dialog Templates 2
close_with_escape
expect_file "$(day_file today)" "$both"
expect_file "$e2e_work/directory_template.ini" \
  '\r\n[ITEM_0]\r\nname = Call the bank\r\n\r\n[ITEM_1]\r\nname = Dentist\r\n\r\n[ITEM_2]\r\nname = Gym\r\n'
