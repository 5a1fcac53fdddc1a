#!/usr/bin/env bash
# The real program: today's page shown, typed into, marked, cleared and brought back from the keyboard, closed
# and saved; one running copy, though a stranger's window bears its title; the large font makes the window larger.
source "$(dirname "$0")/lib.sh" "$1"
# Given as a hand-written file would be: no first line, no blank lines, keys left out.
printf '[SCHEDULE]\r\nTEXT_0 = Standup\r\nMARK_0 = 0\r\n[TODO]\r\nTEXT_0 = Buy stamps\r\nDONE_0 = 1\r\n[NOTE]\r\nTEXT_0 = Remember the keys\r\n' \
  > "$(day_file today)"
width() { xdotool search --all --pid "$e2e_pid" --name '^Quillory$' getwindowgeometry | grep -o '[0-9]*x'; }
another_program 30
start_program
expect "page shown" "Standup Buy stamps 1 Remember the keys" text 1000 1101 1151 1121

# A second copy leaves at once, touching nothing. (That it brings the first forward does not show under Wine.)
before=$(ls -l --time-style=+%s.%N -R "$e2e_work")
(cd "$e2e_work" && timeout 20 wine "$e2e_build/quillory.exe")
expect "files after a second start" "$before" ls -l --time-style=+%s.%N -R "$e2e_work"

# Marks live only in the line fonts: the file shows the loaded Important mark was shown and Ctrl+2 was applied.
xdotool key Return
xdotool type --delay 30 "Lunch with Ann"
xdotool key Return
xdotool type --delay 30 "Call Bob"
xdotool key --delay 200 ctrl+2 ctrl+l ctrl+z ctrl+y ctrl+z
small=$(width)
close_with_escape
kill "$e2e_other" 2>/dev/null || true  # it may have ended by now on a busy machine
expect_file "$(day_file today)" "$(page today "$(line 0 Standup 0 0)$(line 1 'Lunch with Ann' 0 1)$(line 2 'Call Bob' 0 2)" \
  "$(line 0 'Buy stamps' 1 1)" "$(line 0 'Remember the keys' 0 1)")"

wine reg add 'HKCU\Software\Brenhollow\Quillory' /v largeFont /t REG_DWORD /d 1 /f >/dev/null
start_program
large=$(width)
close_with_escape
wine reg delete 'HKCU\Software\Brenhollow\Quillory' /f >/dev/null
[ "${large%x}" -gt "${small%x}" ] || { echo "FAIL: the large window ($large) is not larger than $small" >&2; exit 1; }
