#!/usr/bin/env bash
# The real program: today's page shown from its file, typed into, marked, closed with Escape and saved;
# one running copy; a stranger's window with the same title does not count.
source "$(dirname "$0")/lib.sh" "$1"

today=$(date +%Y_%m_%d)
year=$(date +%Y); month=$(date +%-m); day=$(date +%-d)
mkdir -p "$e2e_work/Data"
printf '[SCHEDULE]\r\nTEXT_0 = Standup\r\nMARK_0 = 0\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\n[NOTE]\r\nTEXT_0 = Remember the keys\r\n' \
  > "$e2e_work/Data/$today.ini"
forget_registry

wine "$e2e_build/quillory_driver.exe" decoy 30 >/dev/null 2>&1 &
decoy=$!
sleep 1
start_program

expect_eq "schedule 08:00" "Standup" "$(driver text 1000)"
expect_eq "to-do 1" "Buy stamps" "$(driver text 1101)"
expect_eq "its box" "1" "$(driver checked 1151)"
expect_eq "done line read-only" "1" "$(driver readonly 1101)"
expect_eq "note" "Remember the keys" "$(driver text 1121)"
expect_eq "focus at start" "1000" "$(driver focused)"

# A second copy brings the first forward and leaves at once, touching nothing.
before=$(ls -l --time-style=+%s.%N -R "$e2e_work")
(cd "$e2e_work" && timeout 20 wine "$e2e_build/quillory.exe")
expect_eq "files after a second start" "$before" "$(ls -l --time-style=+%s.%N -R "$e2e_work")"

xdotool key Return
xdotool type --delay 30 "Lunch with Ann"
xdotool key Return
xdotool type --delay 30 "Call Bob"
xdotool key ctrl+2
sleep 0.5
expect_eq "typed line" "Lunch with Ann" "$(driver text 1001)"
expect_eq "focus after Enter" "1002" "$(driver focused)"

# Marks live only in the line fonts: the saved file shows that the loaded
# Important mark was shown and that Ctrl+2 made the third line Secondary.
small=$(driver size)
close_with_escape
kill "$decoy" 2>/dev/null || true

expect_file "$e2e_work/Data/$today.ini" \
"; YEAR:$year; MONTH:$month; DAY:$day;\r\n\r\n[SCHEDULE]\r\n\
TEXT_0 = Standup\r\nDONE_0 = 0\r\nMARK_0 = 0\r\n\
TEXT_1 = Lunch with Ann\r\nDONE_1 = 0\r\nMARK_1 = 1\r\n\
TEXT_2 = Call Bob\r\nDONE_2 = 0\r\nMARK_2 = 2\r\n\
\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\nMARK_0 = 1\r\n\
\r\n[NOTE]\r\nTEXT_0 = Remember the keys\r\nDONE_0 = 0\r\nMARK_0 = 1\r\n"
# The large-font option, stored in the registry, gives the next start the larger window.
wine reg add 'HKCU\Software\Brenhollow\Quillory' /v largeFont /t REG_DWORD /d 1 /f >/dev/null
start_program
large=$(driver size)
close_with_escape
forget_registry
[ "${large%x*}" -gt "${small%x*}" ] || { echo "FAIL: the large window ($large) is not larger than $small" >&2; exit 1; }
echo "1 passed, 0 failed"
