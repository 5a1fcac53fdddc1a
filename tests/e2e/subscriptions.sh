#!/usr/bin/env bash
# A calendar subscribed to over HTTP, from a real server on 127.0.0.1: added in the dialog and read at once, its
# events on their days; the server's file changed (one event moved, one gone, one added, one moved whose line the
# user changed) and "Read now" follows it; the server answering 404 and then nothing leaves the page as it was,
# and the failure is told once.
source "$(dirname "$0")/lib.sh" "$1"
mkdir "$e2e_work/served"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$e2e_work/served" >"$e2e_work/server.log" 2>&1 &
server=$!
e2e_other=$server  # stopped with the rest
ymd() { date -d "$1" +%Y%m%d; }
event() {  # uid, day, time, summary, sequence
  printf 'BEGIN:VEVENT\r\nUID:%s\r\nDTSTAMP:20261201T000000Z\r\nSEQUENCE:%s\r\nDTSTART:%sT%s00\r\nDURATION:PT30M\r\nSUMMARY:%s\r\nEND:VEVENT\r\n' \
    "$1" "${5:-0}" "$(ymd "$2")" "$3" "$4"
}
serve() { { printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Server//EN\r\n'; "$@"; printf 'END:VCALENDAR\r\n'; } >"$e2e_work/served/work.ics"; }
first() { event review tomorrow 1000 Review; event standup '+2 days' 0900 Standup; event retro today 1700 Retro; }
serve first
has_line() {  # date, index in the schedule, text ("" for none)
  local found
  found=$(grep -A60 '^\[SCHEDULE\]' "$(day_file "$1")" 2>/dev/null | grep "^TEXT_$2 = " | head -1 | tr -d '\r' | cut -d' ' -f3-)
  [ "$found" = "$3" ] && echo yes
}
export -f has_line day_file
export e2e_work
for _ in $(seq 50); do grep -q . "$e2e_work/server.log" 2>/dev/null && break; (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break; sleep 0.1; done

start_program
driver dialog Quillory 32822
driver dialog Subscriptions 1331
driver dialog "Add subscription" 1334 Work
driver dialog "Add subscription" 1335 "http://127.0.0.1:$port/work.ics"
driver dialog "Add subscription" 1
# The first reading loads the network stack of a fresh prefix, which can take a while.
for _ in $(seq 150); do [ "$(has_line tomorrow 4 Review)" = yes ] && break; sleep 0.2; done
expect "the review tomorrow" yes has_line tomorrow 4 Review
expect "the standup" yes has_line '+2 days' 2 Standup
expect "the retro on the page" Retro text 1018
expect "the list" "Work | http://127.0.0.1:$port/work.ics | Up to date" \
  bash -c "wine '$e2e_build/quillory_driver.exe' read Subscriptions 1330 | tr -d '\r' | cut -d'|' -f1,2,4 | sed 's/  */ /g'"
grep -q "address = http://127.0.0.1:$port/work.ics" "$e2e_work/subscriptions.ini"
if [ -n "${QUILLORY_SCREENSHOT:-}" ]; then import -window root "$QUILLORY_SCREENSHOT"; fi

# The user changes the retro's line; the server's file moves it and the standup, drops the review, adds a lunch.
driver dialog Quillory 1018 "Retro with Anna"
second() { event standup '+2 days' 1100 Standup 1; event retro today 1730 Retro 1; event lunch '+3 days' 1200 Lunch; }
serve second
driver dialog Subscriptions 1333
expect "the lunch added" yes has_line '+3 days' 8 Lunch
expect "the standup moved" "yes yes" bash -c "echo \$(has_line '+2 days' 2 '') \$(has_line '+2 days' 6 Standup)"
expect "the review taken off" yes has_line tomorrow 4 ''
expect "the retro beside the user's line" "Retro with Anna Retro" text 1018 1019

# 404, then no answer: the page stays, told once.
mv "$e2e_work/served/work.ics" "$e2e_work/served/moved.ics"
driver dialog Subscriptions 1333
expect "the failure told" "The calendar Work could not be read: 404 File not found. Its events stay as they were." \
  bash -c "wine '$e2e_build/quillory_driver.exe' read Quillory 65535 | tr -d '\r'"
driver dialog Quillory 1
kill "$server"
driver dialog Subscriptions 1333
expect "the state" "no answer" \
  bash -c "wine '$e2e_build/quillory_driver.exe' read Subscriptions 1330 | tr -d '\r' | cut -d'|' -f4 | sed 's/^ *//'"
[ -z "$(driver read Quillory 65535 2>/dev/null | tr -d '\r')" ] || { echo "FAIL: told twice" >&2; exit 1; }
[ "$(has_line '+2 days' 6 Standup)" = yes ] && [ "$(has_line '+3 days' 8 Lunch)" = yes ]
driver dialog Subscriptions 2
close_with_escape
