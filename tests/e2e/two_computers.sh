#!/usr/bin/env bash
# The real program with a second program writing its files as a sync client does (a temporary file renamed over):
# a day file that arrives is never deleted. (Lines that arrive in the day shown are the two-copies journey's, a
# directory that changes while its list is open the window tests'.)
source "$(dirname "$0")/lib.sh" "$1"
elsewhere() { printf "$2" > "$(dirname "$1")/.sync-$$.tmp" && mv -f "$(dirname "$1")/.sync-$$.tmp" "$1"; }  # path, bytes

# Today's empty page, closed while a day file arrives, does not delete it; nor is it written again.
start_program
elsewhere "$(day_file today)" '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n'
close_with_escape
expect "the day file that arrived" "$(printf '[SCHEDULE]\r\nTEXT_0 = "Standup "\r\n' | md5sum)" \
  md5sum < "$(day_file today)"
