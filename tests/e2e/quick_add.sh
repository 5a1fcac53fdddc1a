#!/usr/bin/env bash
# Lines in the user's own words: two /add from a second copy into the running one (tomorrow's file merged, the
# day shown changed), then the box from the key that works in any program, its preview as typed, Enter; each
# line on its day and line.
source "$(dirname "$0")/lib.sh" "$1"
has_line() {  # date, section, index, text
  grep -A40 "^\[$2\]" "$(day_file "$1")" | grep -q "^TEXT_$3 = $4"$'\r'"\$" ||
    { echo "FAIL: no $2 line $3 \"$4\" on $1:" >&2; cat "$(day_file "$1")" >&2; return 1; }
}
start_program
(cd "$e2e_work" && timeout 30 wine "$e2e_build/quillory.exe" /add "Dentist tomorrow 14:30" /add "Call the plumber")
expect "tomorrow's file" yes bash -c "$(declare -f has_line day_file); e2e_work=$e2e_work; has_line tomorrow SCHEDULE 13 Dentist && echo yes"
(cd "$e2e_work" && timeout 30 wine "$e2e_build/quillory.exe" /add "Review in 3 days 9:15 for 45 min")
expect "the file in 3 days" yes bash -c "$(declare -f has_line day_file); e2e_work=$e2e_work; has_line '+3 days' SCHEDULE 2 '09:15-10:00 Review' && echo yes"

xdotool key ctrl+alt+shift+q
expect "the box has the keys" yes has_keys "Quick add"
xdotool type --delay 30 "! Pay rent in 2 days"
rent="$(date -d '+2 days' '+%A %-d %B')"
[ "$(date -d '+2 days' +%Y)" = "$(date +%Y)" ] || rent+=" $(date -d '+2 days' +%Y)"
expect "the preview" "$rent · To do 1 · ! Pay rent" driver read "Quick add" 1341
if [ -n "${QUILLORY_SCREENSHOT:-}" ]; then import -window root "$QUILLORY_SCREENSHOT"; fi
xdotool key Return
expect "the box closed" "" driver focus "Quick add"
close_with_escape
has_line today TODO 0 "Call the plumber"
has_line '+2 days' TODO 0 "Pay rent"
grep -q "^MARK_0 = 0"$'\r'"\$" "$(day_file '+2 days')" || { echo "FAIL: the rent is not Important" >&2; exit 1; }
