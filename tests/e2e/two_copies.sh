#!/usr/bin/env bash
# Two running copies on one shared folder, each in a Wine prefix of its own as on two computers. At once, one moves
# a task down the list and the other ticks that task done and adds another: both windows and the file come to one
# page holding each change once, wherever the task went, and no copy of the day is put aside unasked.
source "$(dirname "$0")/lib.sh" "$1"
# The other computer has a screen of its own, so the focus on one is not taken by the window on the other.
second=$e2e_build/second-computer
read -r second_display second_xvfb < <(unset DISPLAY && source "$(dirname "$0")/../../scripts/wine-env.sh" "$second" &&
  echo "$DISPLAY $quillory_xvfb_pid")
on_second() { WINEPREFIX=$second/wineprefix DISPLAY=$second_display "$@"; }
trap 'e2e_cleanup; on_second wineserver -k; kill "$second_xvfb" 2>/dev/null || true' EXIT
on_second forget_settings
# The to-do list, its texts then its done boxes.
tasks() { "$@" driver read Quillory $(seq 1101 1120) $(seq 1151 1170) | paste -sd '|'; }

printf "$(page today "" "$(line 0 'Call plumber' 0 1)$(line 1 'Pay rent' 0 1)" "")" > "$(day_file today)"
start_program
# Move down moves the line that has the keys; Enter walks down the page, past the schedule's 22 lines.
xdotool key --delay 20 $(printf 'Return %.0s' $(seq 22))
expect "the first task has the keys" 1101 driver focus Quillory
first=$e2e_pid
on_second start_program
e2e_other=$e2e_pid e2e_pid=$first

# All at once, mostly within one tick: either copy may write first, and both orders must come to the same page.
driver dialog Quillory 32791 & move=$!
on_second driver dialog Quillory 1151 & tick=$!
on_second driver dialog Quillory 1103 "Buy stamps" & add=$!
wait $move; wait $tick; wait $add

shown="Pay rent|Call plumber|Buy stamps$(printf '|%.0s' $(seq 17))|0|1|0$(printf '|0%.0s' $(seq 17))"
expect "the first copy's tasks" "$shown" tasks
expect "the second copy's tasks" "$shown" tasks on_second
expect_file "$(day_file today)" \
  "$(page today "" "$(line 0 'Pay rent' 0 1)$(line 1 'Call plumber' 1 1)$(line 2 'Buy stamps' 0 1)" "")"
[ ! -e "$e2e_work/Data/Other versions" ] || { echo "FAIL: put aside unasked:" >&2; ls -R "$e2e_work/Data" >&2; exit 1; }
still_today
