#!/usr/bin/env bash
# End to end: closing a day in the real program carries its unfinished tasks
# and the periodic tasks due tomorrow into tomorrow's file, and leaves today's
# file as it was. Usage: close_day.sh BUILD_DIR
set -euo pipefail
build="$(cd "${1:-build/windows}" && pwd)"
repo="$(cd "$(dirname "$0")/../.." && pwd)"
driver="$build/quillory_driver.exe"

work="$(mktemp -d /tmp/quillory-e2e-close-day.XXXXXX)"
program=""
finish() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  stop_wine_env
  [ -n "${QUILLORY_KEEP:-}" ] || rm -rf "$work"
}
QUILLORY_VIRTUAL_DISPLAY=1 source "$repo/scripts/wine-env.sh" "$build"
trap finish EXIT
cd "$work"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The program opens on the real today; a run across midnight proves nothing.
today=$(date +%Y_%m_%d)
tomorrow=$(date -d tomorrow +%Y_%m_%d)
read -r year month day <<<"$(date +'%Y %-m %-d')"
read -r tomorrow_day tomorrow_month tomorrow_weekday <<<"$(date -d tomorrow +'%-d %-m %w')"
today_weekday=$(date +%w)

# Seven weekday flags from Sunday, with "+" on the one given.
week_of() {
  local flags=------- i=$1
  echo "${flags:0:i}+${flags:i+1}"
}

mkdir Data
printf '%s\r\n' "; YEAR:$year; MONTH:$month; DAY:$day;" "" "[SCHEDULE]" \
  "TEXT_2 = Meeting" "DONE_2 = 0" "MARK_2 = 0" \
  "TEXT_3 = Lunch with Ann" "DONE_3 = 1" "MARK_3 = 1" "" "[TODO]" \
  "TEXT_0 = Call Bob" "DONE_0 = 0" "MARK_0 = 2" \
  "TEXT_1 = Finished report" "DONE_1 = 1" "MARK_1 = 1" "" "[NOTE]" \
  "TEXT_0 = a note" "DONE_0 = 0" "MARK_0 = 1" >"Data/$today.ini"
cp "Data/$today.ini" today.expected

# Due tomorrow: Gym (its weekday) and Rent (its day of the month). Not due:
# Swim (today's weekday), Water plants (today's day of the month), Dentist
# (tomorrow's day, but next month).
section() {  # position name period week day month
  printf '\r\n[ITEM_%s]\r\nname = %s\r\nperiod = %s\r\nweek = %s\r\nday = %s\r\nmonth = %s\r\n' "$@"
}
{
  section 0 "Gym" "Day or week" "$(week_of "$tomorrow_weekday")" "" ""
  section 1 "Swim" "Day or week" "$(week_of "$today_weekday")" "" ""
  section 2 "Rent" "Month" "" "$tomorrow_day" ""
  section 3 "Water plants" "Month" "" "$day" ""
  section 4 "Dentist" "Year" "" "$tomorrow_day" "$((tomorrow_month % 12 + 1))"
} >directory_periodic.ini
cp directory_periodic.ini periodic.expected

wine "$build/quillory.exe" >/dev/null 2>&1 </dev/null &
program=$!
wine "$driver" wait || fail "the program did not start"
[ "$(date +%Y_%m_%d)" = "$today" ] || { echo "midnight passed; skipped"; exit 77; }
shown=$(wine "$driver" text 1101 | tr -d '\r')
[ "$shown" = "Call Bob" ] || fail "today's page was not shown (first to-do line: '$shown')"

wine "$driver" command 32803
question=$(wine "$driver" message | tr -d '\r')
[[ "$question" == Warning.*Continue? ]] || fail "unexpected question: $question"
# Yes, from the keyboard; No is the default button.
xdotool key y
sleep 0.5
for _ in $(seq 50); do
  [ "$(wine "$driver" text 1090 | tr -d '\r')" = "$tomorrow_day" ] && break
  sleep 0.1
done
[ "$(wine "$driver" text 1090 | tr -d '\r')" = "$tomorrow_day" ] || fail "tomorrow is not shown"
[ -n "${QUILLORY_SCREENSHOT:-}" ] && import -window root "$QUILLORY_SCREENSHOT"

wine "$driver" close || fail "the program did not close"
wait "$program" || true
program=""

read -r next_year next_month next_day <<<"$(date -d tomorrow +'%Y %-m %-d')"
printf '%s\r\n' "; YEAR:$next_year; MONTH:$next_month; DAY:$next_day;" "" "[SCHEDULE]" \
  "TEXT_2 = Meeting" "DONE_2 = 0" "MARK_2 = 0" "" "[TODO]" \
  "TEXT_0 = Gym" "DONE_0 = 0" "MARK_0 = 1" \
  "TEXT_1 = Rent" "DONE_1 = 0" "MARK_1 = 1" \
  "TEXT_2 = Call Bob" "DONE_2 = 0" "MARK_2 = 2" "" "[NOTE]" >tomorrow.expected

cmp "Data/$today.ini" today.expected || fail "today's file changed"
cmp "Data/$tomorrow.ini" tomorrow.expected || fail "tomorrow's file is not as expected"
cmp directory_periodic.ini periodic.expected || fail "the periodic tasks file changed"
echo "close day: ok"
