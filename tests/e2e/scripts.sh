#!/usr/bin/env bash
# Text typed from the keyboard in several scripts is in the day file as UTF-8 and shown again after a restart, under
# a date in Russian. (A day in the old code page is the native and window tests'.)
source "$(dirname "$0")/lib.sh" "$1"
typed="café Łukasz Ωμέγα дом 日本"

# One character at a time, each once the line shows the ones before: xdotool remaps a spare key for each one not
# on the keyboard, and a busy Wine may lose the key to the old map; such a character is typed again.
type_into() {  # control id, text
  local id=$1 text=$2 shown="" i
  for ((i = 0; i < ${#text}; i++)); do
    for _ in 1 2 3 4 5; do
      xdotool type --delay 200 "${text:i:1}"
      for _ in $(seq 20); do [ "$(text "$id")" = "$shown" ] || break; sleep 0.1; done
      [ "$(text "$id")" = "$shown" ] || break
    done
    shown+=${text:i:1}
    expect "line typed" "$shown" text "$id"
  done
}

start_program
type_into 1000 "$typed"
close_with_escape
expect_file "$(day_file today)" "$(page today "$(line 0 "$typed" 0 1)" "" "")"

# Dates come in the program's code page, not the language's own; Russian writes the weekday in lower case,
# and the page starts it with a capital all the same.
weekdays=(Воскресенье Понедельник Вторник Среда Четверг Пятница Суббота)
months=(январь февраль март апрель май июнь июль август сентябрь октябрь ноябрь декабрь)
LC_ALL=ru_RU.UTF-8 start_program
expect "today in Russian, read again" "$(date +%-d) ${weekdays[$(date +%w)]} ${months[$(date +%-m) - 1]} $typed" \
  text 1090 1092 1091 1000
close_with_escape
