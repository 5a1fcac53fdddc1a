#!/usr/bin/env bash
# Text typed from the keyboard in several scripts is in the day file as UTF-8 and shown again after a restart;
# a day that an earlier version wrote in code page 1252 is shown right and keeps its bytes.
source "$(dirname "$0")/lib.sh" "$1"
typed="café Łukasz Ωμέγα дом 日本"
printf "$(page yesterday "$(line 0 'Caf\xe9 cr\xe8me' 0 1)" "" "")" > "$(day_file yesterday)"
old=$(md5sum "$(day_file yesterday)")

start_program
xdotool type --delay 150 "$typed"  # each character not on the keyboard remaps a key; Wine needs a moment to follow
expect "line typed" "$typed" text 1000
close_with_escape
expect_file "$(day_file today)" "$(page today "$(line 0 "$typed" 0 1)" "" "")"

start_program
expect "line after a restart" "$typed" text 1000
driver dialog Quillory 1200
expect "the day of the old code page" "$(date -d yesterday +%-d) Café crème" text 1090 1000
driver dialog Quillory 1202
expect "today again" "$(date +%-d) $typed" text 1090 1000
close_with_escape
expect "yesterday's bytes" "$old" md5sum "$(day_file yesterday)"
