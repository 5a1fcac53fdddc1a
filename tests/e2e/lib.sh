# Sourced by the end-to-end tests with the build folder: runs the real program in a scratch folder, driven from outside.
set -Eeuo pipefail
# Any command that fails ends the test: the log says which, where.
trap 'e2e_status=$?; echo "FAIL: ${BASH_SOURCE[0]##*/} line $LINENO: [$BASH_COMMAND] exited with $e2e_status" >&2' ERR

e2e_build=$(cd "$1" && pwd)
e2e_own_env=0
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh" "$e2e_build"
  e2e_own_env=1
fi
e2e_work=$(mktemp -d /tmp/quillory-e2e.XXXXXX)
e2e_today=$(date +%F)
e2e_pid="" e2e_other=""
mkdir "$e2e_work/Data"

e2e_cleanup() {
  for pid in $e2e_pid $e2e_other; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$e2e_work"
  [ "$e2e_own_env" = 1 ] && stop_wine_env
  return 0
}
trap e2e_cleanup EXIT

driver() {  # says which call failed: the trap would only name the pipe's last command
  wine "$e2e_build/quillory_driver.exe" "$@" | tr -d '\r' || { local status=$?; echo "driver $* ended with $status" >&2; return $status; }
}
# Controls of the main window, or of the message box it shows, on one line.
text() { driver read Quillory "$@" | paste -sd ' '; }

# Forgets the options and logon entry that other runs left in the Wine registry.
forget_settings() {
  wine reg delete 'HKCU\Software\Brenhollow\Quillory' /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Quillory /f >/dev/null 2>&1 || true
}
forget_settings

start_program() {
  (cd "$e2e_work" && exec wine "$e2e_build/quillory.exe" "$@") &
  e2e_pid=$!
  driver wait || { echo "FAIL: the program's window did not appear" >&2; exit 1; }
  xdotool mousemove 640 512
  expect "the window has the keys" yes has_keys
}

# Keys are typed only once the dialog (by default the topmost titled Quillory: the window, or the message it shows)
# has taken them: it is shown a moment before, and keys typed meanwhile go astray.
has_keys() { [ -n "$(driver focus "${1:-Quillory}")" ] && echo yes; }

# Another program for SECONDS: a window of its own bearing the program's title.
another_program() {  # seconds
  (cd "$e2e_work" && exec wine "$e2e_build/quillory_driver.exe" hold "$@" > other.log 2>&1) &
  e2e_other=$!
  for _ in $(seq 100); do grep -q held "$e2e_work/other.log" 2>/dev/null && break; sleep 0.1; done
}

# The dates the files are named by would move on at midnight, so such a run proves nothing.
still_today() { [ "$(date +%F)" = "$e2e_today" ] || { echo "midnight passed; skipped"; exit 77; }; }

# Closes the window as the user does, with Escape, and waits for the program to end.
close_with_escape() {
  expect "the window has the keys" yes has_keys
  xdotool key Escape
  timeout 10 tail --pid="$e2e_pid" -f /dev/null || { echo "FAIL: the program did not end" >&2; exit 1; }
  e2e_pid=""
  still_today
}

# Commands are posted and the window follows later, so what is read is polled for a while before it fails.
expect() {  # what, expected, command...
  local what=$1 expected=$2 actual
  shift 2
  for _ in $(seq 40); do
    actual=$("$@" 2>/dev/null) || true
    [ "$actual" = "$expected" ] && return 0
    sleep 0.1
  done
  echo "FAIL: $what: expected [$expected], got [$actual]" >&2
  exit 1
}

# Where the program keeps a day, and that day's file in printf format as the program writes it.
day_file() { echo "$e2e_work/Data/$(date -d "$1" +%Y_%m_%d).ini"; }
page() {  # date, then the lines of the schedule, the to-do list and the notes
  echo "$(date -d "$1" '+; YEAR:%Y; MONTH:%-m; DAY:%-d;')\r\n\r\n[SCHEDULE]\r\n$2\r\n[TODO]\r\n$3\r\n[NOTE]\r\n$4"
}
line() { echo "TEXT_$1 = $2\r\nDONE_$1 = $3\r\nMARK_$1 = $4\r\n"; }  # index, text, done, mark

expect_file() { expect "the bytes of $1" "$(printf "$2" | od -c)" od -c "$1"; }  # path, expected bytes (printf format)
