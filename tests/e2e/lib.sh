# Sourced by the end-to-end tests: runs the real program in a scratch folder and drives it from outside.
# Usage: source tests/e2e/lib.sh BUILD_DIR
set -euo pipefail

e2e_build=$(cd "$1" && pwd)
e2e_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
e2e_own_env=0
if [ -z "${WINEPREFIX:-}" ] || [ -z "${DISPLAY:-}" ]; then
  source "$e2e_repo/scripts/wine-env.sh" "$e2e_build"
  e2e_own_env=1
fi
e2e_work=$(mktemp -d /tmp/quillory-e2e.XXXXXX)
e2e_pid=""

e2e_cleanup() {
  [ -n "$e2e_pid" ] && kill "$e2e_pid" 2>/dev/null || true
  rm -rf "$e2e_work"
  [ "$e2e_own_env" = 1 ] && stop_wine_env
  return 0
}
trap e2e_cleanup EXIT

driver() { wine "$e2e_build/quillory_driver.exe" "$@" | tr -d '\r'; }

# Forgets the options and logon entry that other runs left in the Wine registry.
forget_registry() {
  wine reg delete 'HKCU\Software\Brenhollow\Quillory' /f >/dev/null 2>&1 || true
  wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Quillory /f >/dev/null 2>&1 || true
}

start_program() {
  (cd "$e2e_work" && exec wine "$e2e_build/quillory.exe" "$@") &
  e2e_pid=$!
  driver wait
  xdotool mousemove 640 512
}

# Closes the window as the user does, with Escape, and waits for the program to end.
close_with_escape() {
  xdotool key Escape
  for _ in $(seq 100); do kill -0 "$e2e_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$e2e_pid" 2>/dev/null; then echo "the program did not end" >&2; return 1; fi
  e2e_pid=""
}

expect_eq() {  # what, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: expected [$2], got [$3]" >&2
    exit 1
  fi
}

# The file the program writes for a day, from printf-style text with \r\n line ends.
expect_file() {  # path, expected bytes (printf format)
  local expected
  expected=$(mktemp)
  printf "$2" > "$expected"
  if ! cmp -s "$expected" "$1"; then
    echo "FAIL: $1 differs from what was expected:" >&2
    ls -la "$(dirname "$1")" >&2
    diff <(od -c "$expected") <(od -c "$1") >&2 || true
    rm -f "$expected"
    exit 1
  fi
  rm -f "$expected"
}
