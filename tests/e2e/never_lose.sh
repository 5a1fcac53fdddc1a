#!/usr/bin/env bash
# The real program killed hard keeps what was typed and what was added to a directory; a page left
# alone is not rewritten; files another program holds at start are told of and left byte for byte.
source "$(dirname "$0")/lib.sh" "$1"

forget_registry
today=$(date +%Y_%m_%d)
day_file="$e2e_work/Data/$today.ini"
kill_hard() { kill -9 "$e2e_pid"; wait "$e2e_pid" 2>/dev/null || true; e2e_pid=""; }

start_program
xdotool type --delay 30 "Standup"
driver setfocus 1101
sleep 0.5
xdotool type --delay 30 "Buy stamps"
xdotool key ctrl+2
driver click 1030
sleep 5
kill_hard
[ "$(date +%Y_%m_%d)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }
expect_file "$day_file" "; YEAR:$(date +%Y); MONTH:$(date +%-m); DAY:$(date +%-d);\r\n\r\n[SCHEDULE]\r\n\
TEXT_0 = Standup\r\nDONE_0 = 1\r\nMARK_0 = 1\r\n\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 0\r\nMARK_0 = 2\r\n\
\r\n[NOTE]\r\n"

start_program
expect_eq "page shown after the kill" "Standup 1 Buy stamps" "$(driver text 1000) $(driver checked 1030) $(driver text 1101)"
untouched=$(stat -c %y "$day_file")
started=$(date +%s)
driver command 32781
driver dialog Templates 3
driver dialog "Add template" 1209 Dentist
driver dialog "Add template" 1
driver dialog Templates 2
while [ $(($(date +%s) - started)) -le 10 ]; do sleep 0.5; done
expect_eq "time of the page left alone" "$untouched" "$(stat -c %y "$day_file")"
kill_hard
expect_file "$e2e_work/directory_template.ini" "\r\n[ITEM_0]\r\nname = Dentist\r\n"

# Held without sharing by another program while the program starts and a few seconds after.
printf '\r\n[ITEM_0]\r\nbirthday = \r\ndescription = \r\nemail = \r\nname = Ann\r\nphone = \r\n' \
  > "$e2e_work/directory_contact.ini"
held_files=("$day_file" "$e2e_work/directory_contact.ini")
sums=$(md5sum "${held_files[@]}")
(cd "$e2e_work" && exec wine "$e2e_build/quillory_driver.exe" hold 6 "Data\\$today.ini" directory_contact.ini \
  > held.log 2>&1) &
holder=$!
for _ in $(seq 100); do grep -q held "$e2e_work/held.log" 2>/dev/null && break; sleep 0.1; done
start_program
expect_eq "message of the day file" "Data\\$today.ini could not be read. It is left as it is, and this day \
cannot be changed until it can be read." "$(driver message)"
driver answer 1
expect_eq "message of the contacts" "directory_contact.ini could not be read. It is left as it is, and this \
directory cannot be changed until Quillory is started again." "$(driver message)"
driver answer 1
wait "$holder"
close_with_escape
expect_eq "files held at start" "$sums" "$(md5sum "${held_files[@]}")"
echo "1 passed, 0 failed"
