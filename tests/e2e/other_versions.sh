#!/usr/bin/env bash
# Today's file with a Syncthing copy differing in two lines, and a OneDrive copy of the templates: the one line checked
# is taken, the day file holds it, both copies are in "Other versions", the button is gone, nothing else changed.
source "$(dirname "$0")/lib.sh" "$1"
stem=$(date +%Y_%m_%d)
printf "$(page today "$(line 1 Standup 0 1)" "$(line 0 'Buy stamps' 0 1)" "")" > "$(day_file today)"
printf "$(page today "$(line 1 'Standup call' 0 1)$(line 3 Dentist 0 1)" "$(line 0 'Buy stamps' 0 1)" "")" \
  > "$e2e_work/Data/$stem.sync-conflict-$(date +%Y%m%d)-093005-ABC1234.ini"
printf "$(page yesterday "$(line 0 Gym 0 1)" "" "")" > "$(day_file yesterday)"
printf '\r\n[ITEM_0]\r\nname = Call the bank\r\n' > "$e2e_work/directory_template.ini"
printf '\r\n[ITEM_0]\r\nname = Call the bank\r\n\r\n[ITEM_1]\r\nname = Dentist\r\n' > "$e2e_work/directory_template-LAPTOP.ini"
printf '\r\n[ITEM_0]\r\nbirthday = \r\ndescription = \r\nemail = \r\nname = Ann\r\nphone = \r\n' > "$e2e_work/directory_contact.ini"
: > "$e2e_work/directory_periodic.ini"
cp -a "$e2e_work" "$e2e_work.before"
trap 'rm -rf "$e2e_work.before"; e2e_cleanup' EXIT

start_program
expect "question of the templates" "Another copy of the templates file was found (directory_template-LAPTOP.ini). \
It holds 1 entry that your templates do not. Add them?" text 65535
driver dialog Quillory 6
expect "the button" 1 driver read Quillory 1205
driver dialog Quillory 1205
expect "the rows" "08:30 | Standup | Standup call
09:30 |  | Dentist" driver read "Other versions" 1321
driver dialog "Other versions" 1
expect "the line taken" "Standup Dentist" text 1001 1003
expect "the button after" 0 driver read Quillory 1205
expect_file "$(day_file today)" "$(page today "$(line 1 Standup 0 1)$(line 3 Dentist 0 1)" "$(line 0 'Buy stamps' 0 1)" "")"
close_with_escape
expect_file "$e2e_work/directory_template.ini" '\r\n[ITEM_0]\r\nname = Call the bank\r\n\r\n[ITEM_1]\r\nname = Dentist\r\n'
for moved in "Data/$stem.sync-conflict-$(date +%Y%m%d)-093005-ABC1234.ini" directory_template-LAPTOP.ini; do
  cmp "$e2e_work.before/$moved" "$e2e_work/$(dirname "$moved")/Other versions/$(basename "$moved")" &&
    [ ! -e "$e2e_work/$moved" ] || { echo "FAIL: $moved was not moved aside as it was" >&2; exit 1; }
done
diff -r -x 'Other versions' -x "$stem.*" -x 'directory_template*' "$e2e_work.before" "$e2e_work" >&2 ||
  { echo "FAIL: other files changed" >&2; exit 1; }
