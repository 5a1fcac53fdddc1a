#!/usr/bin/env bash
# Text typed from the keyboard in several scripts is in the day file as UTF-8 and shown again after a restart;
# a day that an earlier version wrote in code page 1252 is shown right and keeps its bytes.
source "$(dirname "$0")/lib.sh" "$1"
typed="café Łukasz Ωμέγα дом 日本"
printf "$(page yesterday "$(line 0 'Caf\xe9 cr\xe8me' 0 1)" "" "")" > "$(day_file yesterday)"
old=$(md5sum "$(day_file yesterday)")

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

start_program
driver dialog Quillory 1200
expect "the day of the old code page" "$(date -d yesterday +%-d) Café crème" text 1090 1000
driver dialog Quillory 1202
expect "today, read again after a restart" "$(date +%-d) $typed" text 1090 1000
close_with_escape
expect "yesterday's bytes" "$old" md5sum "$(day_file yesterday)"

# Dates come in the program's code page, not the language's own; Russian writes the weekday in lower case,
# and the page starts it with a capital all the same.
weekdays=(Воскресенье Понедельник Вторник Среда Четверг Пятница Суббота)
months=(январь февраль март апрель май июнь июль август сентябрь октябрь ноябрь декабрь)
LC_ALL=ru_RU.UTF-8 start_program
expect "the date in Russian" "$(date +%-d) ${weekdays[$(date +%w)]} ${months[$(date +%-m) - 1]}" text 1090 1092 1091
close_with_escape
