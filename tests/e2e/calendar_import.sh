#!/usr/bin/env bash
# An invitation as Outlook writes it (a Windows zone and its VTIMEZONE), given on the command line to the running
# copy: its line lands in the slot of this machine's zone. The zones, rules and placement of other calendars are
# the native tests'; a file imported again, the window tests'.
source "$(dirname "$0")/lib.sh" "$1"
day=$(date -d '+2 days' +%F)
{
  printf 'BEGIN:VCALENDAR\r\nPRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN\r\nVERSION:2.0\r\nMETHOD:REQUEST\r\n'
  printf 'BEGIN:VTIMEZONE\r\nTZID:W. Europe Standard Time\r\nBEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\n'
  printf 'TZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n'
  printf 'DTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;'
  printf 'BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E008\r\n'
  printf 'SUMMARY;LANGUAGE=en-us:Design review\r\nLOCATION:Room 4\\, second floor\r\n'
  printf 'DTSTART;TZID="W. Europe Standard Time":%sT100000\r\nDTEND;TZID="W. Europe Standard Time":%sT103000\r\n' "${day//-/}" "${day//-/}"
  printf 'BEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n'
} > "$e2e_work/invite.ics"
# Where 10:00 in Berlin lands on this machine's clock, as GNU date's zone rules say.
read -r landed hour minute <<<"$(date -d "TZ=\"Europe/Berlin\" $day 10:00" '+%F %-H %-M')"
[ "$hour" -ge 8 ] && [ "$hour" -le 18 ] || { echo "this machine's zone puts 10:00 in Berlin outside the schedule; skipped"; exit 77; }
slot=$(( (hour - 8) * 2 + minute / 30 ))

start_program
(cd "$e2e_work" && timeout 30 wine "$e2e_build/quillory.exe" invite.ics)
expect "the summary" "Imported 1 event on 1 day." text 65535
expect "the summary has the keys" yes has_keys
xdotool key Return
grep -q "^TEXT_$slot = Design review (Room 4, second floor)"$'\r'"\$" "$(day_file "$landed")" ||
  { echo "FAIL: no line $slot \"Design review\" in $(day_file "$landed"):" >&2; cat "$(day_file "$landed")" >&2; exit 1; }
close_with_escape
