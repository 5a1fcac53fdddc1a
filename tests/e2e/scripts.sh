#!/usr/bin/env bash
# A day in several scripts is shown under a date in Russian, which comes in the program's code page, not the language's
# own; Russian writes the weekday in lower case, and the page starts it with a capital all the same. (Keys typed in any
# script are the window tests'.)
source "$(dirname "$0")/lib.sh" "$1"
text="café Łukasz Ωμέγα дом 日本"
printf "$(page today "$(line 0 "$text" 0 1)" "" "")" > "$(day_file today)"
weekdays=(Воскресенье Понедельник Вторник Среда Четверг Пятница Суббота)
months=(январь февраль март апрель май июнь июль август сентябрь октябрь ноябрь декабрь)
LC_ALL=ru_RU.UTF-8 start_program
expect "the page in Russian" "$(date +%-d) ${weekdays[$(date +%w)]} ${months[$(date +%-m) - 1]} $text" text 1090 1092 1091 1000
close_with_escape
expect_file "$(day_file today)" "$(page today "$(line 0 "$text" 0 1)" "" "")"
