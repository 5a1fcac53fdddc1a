#!/usr/bin/env bash
# Invitations from the command line into a running copy: one as Outlook writes it (a Windows zone and its
# VTIMEZONE), a calendar as Google writes it (an IANA zone, a weekly rule with an exception and a moved
# occurrence), the second opened while the first one's summary is open; the lines land in the slots of this
# machine's zone, and the same files again, opened together, change nothing.
source "$(dirname "$0")/lib.sh" "$1"
ymd() { date -d "$1" +%Y%m%d; }
first=$(date -d '+2 days' +%F)
weekly=$(date -d '+3 days' +%F)
berlin_zone() {  # TZID, as each program names the zone
  printf 'BEGIN:VTIMEZONE\r\nTZID:%s\r\nBEGIN:STANDARD\r\nDTSTART:16010101T030000\r\nTZOFFSETFROM:+0200\r\n' "$1"
  printf 'TZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;BYMONTH=10\r\nEND:STANDARD\r\nBEGIN:DAYLIGHT\r\n'
  printf 'DTSTART:16010101T020000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;INTERVAL=1;BYDAY=-1SU;'
  printf 'BYMONTH=3\r\nEND:DAYLIGHT\r\nEND:VTIMEZONE\r\n'
}
{
  printf 'BEGIN:VCALENDAR\r\nPRODID:-//Microsoft Corporation//Outlook 16.0 MIMEDIR//EN\r\nVERSION:2.0\r\nMETHOD:REQUEST\r\n'
  berlin_zone "W. Europe Standard Time"
  printf 'BEGIN:VEVENT\r\nUID:040000008200E00074C5B7101A82E008\r\nSUMMARY;LANGUAGE=en-us:Design review\r\n'
  printf 'LOCATION:Room 4\\, second floor\r\nDTSTART;TZID="W. Europe Standard Time":%sT100000\r\n' "$(ymd "$first")"
  printf 'DTEND;TZID="W. Europe Standard Time":%sT103000\r\nBEGIN:VALARM\r\nTRIGGER:-PT15M\r\nACTION:DISPLAY\r\n' "$(ymd "$first")"
  printf 'DESCRIPTION:Reminder\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n'
} > "$e2e_work/invite.ics"
{
  printf 'BEGIN:VCALENDAR\r\nPRODID:-//Google Inc//Google Calendar 70.9054//EN\r\nVERSION:2.0\r\nCALSCALE:GREGORIAN\r\n'
  printf 'METHOD:PUBLISH\r\nX-WR-TIMEZONE:Europe/Berlin\r\n'
  berlin_zone Europe/Berlin
  printf 'BEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:%sT140000\r\nDTEND;TZID=Europe/Berlin:%sT143000\r\n' \
    "$(ymd "$weekly")" "$(ymd "$weekly")"
  printf 'RRULE:FREQ=WEEKLY;COUNT=4\r\nEXDATE;TZID=Europe/Berlin:%sT140000\r\nUID:standup@google.com\r\n' \
    "$(ymd "$weekly +7 days")"
  printf 'SUMMARY:Standup\r\nEND:VEVENT\r\nBEGIN:VEVENT\r\nDTSTART;TZID=Europe/Berlin:%sT153000\r\n' "$(ymd "$weekly +14 days")"
  printf 'DTEND;TZID=Europe/Berlin:%sT160000\r\nRECURRENCE-ID;TZID=Europe/Berlin:%sT140000\r\n' \
    "$(ymd "$weekly +14 days")" "$(ymd "$weekly +14 days")"
  printf 'UID:standup@google.com\r\nSUMMARY:Standup\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n'
} > "$e2e_work/google.ics"

# Where a Berlin time lands on this machine's clock: its day file and schedule line, as GNU date's zone rules say.
slot() {  # date, Berlin time
  local when
  when=$(date -d "TZ=\"Europe/Berlin\" $1 $2" '+%F %-H %-M')
  read -r day hour minute <<<"$when"
  [ "$hour" -ge 8 ] && [ "$hour" -le 18 ] || { echo "this machine's zone puts $1 $2 Berlin outside the schedule; skipped"; exit 77; }
  echo "$(day_file "$day") $(( (hour - 8) * 2 + minute / 30 ))"
}
expect_line() {  # date, Berlin time, text
  read -r file n <<<"$(slot "$1" "$2")"
  grep -q "^TEXT_$n = $3"$'\r'"\$" "$file" || { echo "FAIL: no line $n \"$3\" in $file:" >&2; cat "$file" >&2; exit 1; }
}

start_program
open_file() { (cd "$e2e_work" && timeout 30 wine "$e2e_build/quillory.exe" "$1"); }
answer() {  # the summary shown, closed with Enter
  expect "the summary" "$1" text 65535
  expect "the summary has the keys" yes has_keys
  xdotool key Return
}
# The second file is opened while the first one's summary is open: it waits for it, then gets its own.
open_file invite.ics
expect "the first summary" "Imported 1 event on 1 day." text 65535
open_file google.ics
answer "Imported 1 event on 1 day."
answer "Imported 3 events on 3 days."
expect_line "$first" 10:00 "Design review (Room 4, second floor)"
expect_line "$weekly" 14:00 Standup
expect_line "$(date -d "$weekly +14 days" +%F)" 15:30 Standup
expect_line "$(date -d "$weekly +21 days" +%F)" 14:00 Standup
[ -z "$(grep -l Standup "$(day_file "$weekly +7 days")" 2>/dev/null)" ] || { echo "FAIL: the exception was imported" >&2; exit 1; }

# Both again, opened together as Explorer opens a selection: each taken once, with a summary of its own.
sums=$(md5sum "$e2e_work"/Data/*.ini)
again=("Imported 0 events on 0 days. 1 event was already on its day."
  "Imported 0 events on 0 days. 3 events were already on their days.")
open_file invite.ics & together=$!
open_file google.ics
wait "$together"
for _ in $(seq 100); do shown=$(text 65535); [[ $shown = "${again[0]}" || $shown = "${again[1]}" ]] && break; sleep 0.1; done
answer "$shown"
answer "${again[$([ "$shown" = "${again[0]}" ] && echo 1 || echo 0)]}"
expect "the day files" "$sums" md5sum "$e2e_work"/Data/*.ini
close_with_escape
