#!/usr/bin/env bash
# The real program with a second program writing its files as a sync client does (a temporary file renamed over):
# a day file that arrives is never deleted, and a line that arrives in the day shown appears and typing afterwards
# keeps both. (A directory that changes while its list is open is the window tests'.)
source "$(dirname "$0")/lib.sh" "$1"
elsewhere() { printf "$2" > "$(dirname "$1")/.sync-$$.tmp" && mv -f "$(dirname "$1")/.sync-$$.tmp" "$1"; }  # path, bytes

# Today's empty page, closed while a day file arrives, does not delete it; nor is it written again.
start_program
elsewhere "$(day_file today)" '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n'
close_with_escape
expect "the day file that arrived" "$(printf '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n' | md5sum)" \
  md5sum < "$(day_file today)"

start_program
expect "page shown" "Standup " text 1000
elsewhere "$(day_file today)" '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\nTEXT_1 = Call Ann\r\n'
expect "line that arrived" "Standup  Call Ann" text 1000 1001
xdotool key Return Return
xdotool type --delay 30 "Buy stamps"
both="$(page today "$(line 0 Standup 0 1)$(line 1 'Call Ann' 0 1)$(line 2 'Buy stamps' 0 1)" "" "")"
expect_file "$(day_file today)" "$both"

close_with_escape
expect_file "$(day_file today)" "$both"
