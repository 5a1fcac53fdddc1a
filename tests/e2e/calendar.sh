#!/usr/bin/env bash
# The calendar file: turned on from the menu, a line typed, and the file read back by python-icalendar holds it.
source "$(dirname "$0")/lib.sh" "$1"
printf '[SCHEDULE]\r\nTEXT_0 = Standup, room 4\r\n' > "$(day_file today)"
start_program
xdotool key alt+c f
expect "the notice" "Quillory.ics is kept beside the Data folder. A calendar that subscribes to this file shows your schedule." \
  text 65535
xdotool key Return
expect "the window has the keys" yes has_keys
xdotool key Return
xdotool type --delay 30 "Review; budget"

# The real parser reads it within two seconds of the typing, in this machine's zone as Wine gives it.
events() {
  [ -f "$e2e_work/Quillory.ics" ] || return 0
  /usr/bin/python3 "$(dirname "$0")/../native/read_calendar.py" "$e2e_work/Quillory.ics" > "$e2e_work/read.txt" 2>&1
  sed -n 's/^E [0-9T]*[+-][0-9]* 30 - //p' "$e2e_work/read.txt" | paste -sd '|'
}
expect "the events read back" "Standup, room 4|Review; budget" events
start=$(date -d "$(date +%F) 08:30" -u +%Y%m%dT%H%M+0000)
grep -q "^E $start 30 - Review; budget$" "$e2e_work/read.txt" || { cat "$e2e_work/read.txt" >&2; echo "FAIL: not at 08:30 local ($start)" >&2; exit 1; }
close_with_escape
