#!/usr/bin/env bash
# The real program stepped back over a month end and forward again: every day
# left is saved under its own date, and every day reached shows its own line.
source "$(dirname "$0")/lib.sh" "$1"
start_program
back=$(seq 0 "$(date +%-d)")
for ago in $back; do
  expect "day shown" "$(date -d "$ago days ago" +%-d)" text 1090
  driver dialog Quillory 1101 "Errand of $(date -d "$ago days ago" +%F)"
  [ "$ago" -lt "$(date +%-d)" ] && driver dialog Quillory 1200
done
for ago in $(tac <<<"$back"); do
  expect "line of $ago days ago" "$(date -d "$ago days ago" '+%-d Errand of %F')" text 1090 1101
  [ "$ago" -gt 0 ] && driver dialog Quillory 1202
done
close_with_escape
for ago in $back; do
  expect_file "$(day_file "$ago days ago")" "$(page "$ago days ago" "" "$(line 0 "Errand of $(date -d "$ago days ago" +%F)" 0 1)" "")"
done
[ "$(ls "$e2e_work/Data" | wc -l)" = "$(($(date +%-d) + 1))" ] || { echo "FAIL: other files were written" >&2; exit 1; }
