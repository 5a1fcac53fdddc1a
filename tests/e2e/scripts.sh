#!/usr/bin/env bash
# Text typed from the keyboard in several scripts is in the day file as UTF-8 and shown again after a restart;
# a day that an earlier version wrote in code page 1252 is shown right and keeps its bytes.
source "$(dirname "$0")/lib.sh" "$1"
typed="café Łukasz Ωμέγα дом 日本"
printf "$(page yesterday "$(line 0 'Caf\xe9 cr\xe8me' 0 1)" "" "")" > "$(day_file yesterday)"
old=$(md5sum "$(day_file yesterday)")

# Types into a line one character at a time, each once the line shows the ones before. For every character
# not on the keyboard xdotool remaps a spare key, and a busy Wine may take the key before the new map and
# lose it: the X keyboard's loss, not the program's, so such a character is typed again.
type_into() {  # control id, text
  local id=$1 text=$2 shown="" actual i
  for ((i = 0; i < ${#text}; i++)); do
    for _ in 1 2 3 4 5; do
      xdotool type --delay 200 "${text:i:1}"
      for _ in $(seq 20); do
        actual=$(text "$id")
        [ "$actual" = "$shown" ] || break
        sleep 0.1
      done
      [ "$actual" = "$shown" ] || break
    done
    shown+=${text:i:1}
    [ "$actual" = "$shown" ] || { echo "FAIL: line typed: expected [$shown], got [$actual]" >&2; exit 1; }
  done
}

start_program
type_into 1000 "$typed"
close_with_escape
expect_file "$(day_file today)" "$(page today "$(line 0 "$typed" 0 1)" "" "")"

start_program
expect "line after a restart" "$typed" text 1000
driver dialog Quillory 1200
expect "the day of the old code page" "$(date -d yesterday +%-d) Café crème" text 1090 1000
driver dialog Quillory 1202
expect "today again" "$(date +%-d) $typed" text 1090 1000
close_with_escape
expect "yesterday's bytes" "$old" md5sum "$(day_file yesterday)"
