#!/usr/bin/env bash
# For developers: shows that the tests catch faults. Each small fault below is
# applied alone to a scratch copy of the working tree, and the test layer that
# should catch it is run; every fault must make that layer fail. CI does not
# run this. Usage: scripts/mutation-check.sh [FILTER], a regular expression
# ("follow-|rule-") matched against each fault's name and layer
set -uo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d /tmp/quillory-mutants.XXXXXX)
filter=${1:-}
(cd "$repo" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$scratch")
cd "$scratch" || exit 1
scripts/install-deps.sh >/dev/null
started=$(date +%s)

build_native() { cmake --build --preset native -j "$(nproc)" --target quillory_native_tests >/dev/null 2>&1; }
build_windows() { cmake --build --preset windows -j "$(nproc)" >/dev/null 2>&1; }
cmake --preset native >/dev/null && build_native || { echo "the scratch copy does not build natively"; exit 1; }
cmake --preset windows >/dev/null && build_windows || { echo "the scratch copy does not build for Windows"; exit 1; }
QUILLORY_VIRTUAL_DISPLAY=1 source scripts/wine-env.sh "$scratch/build/windows"
trap 'stop_wine_env; rm -rf "$scratch"' EXIT

build_layer() { if [ "$1" = native ]; then build_native; else build_windows; fi; }

# Runs a layer's tests; succeeds when they pass. A fault can crash a test
# program into Wine's debugger, which then waits for good: the time limit
# counts that as caught.
run_layer() {
  case $1 in
    native) timeout -k 10 300 ctest --preset native >/dev/null 2>&1 ;;
    windows) timeout -k 10 300 wine build/windows/quillory_windows_tests.exe >/tmp/quillory-mutant.log 2>&1 ;;
    e2e:*) timeout -k 10 300 bash "tests/e2e/${1#e2e:}.sh" build/windows >/tmp/quillory-mutant.log 2>&1 ;;
  esac
  local result=$?
  pkill -f winedbg 2>/dev/null
  return $result
}

# Each fault: name, layer, file, the exact text, what it becomes.
faults=$(cat <<'EOF'
digits-past-most|native|text/numbers.cpp|taken < most && taken < text.size()|taken < text.size()
default-mark|native|day/day_file.cpp|iniIntValue(found[markKey][n], markPrimary)|iniIntValue(found[markKey][n], markImportant)
key-without-blank|native|day/day_file.cpp|"%s_%d = "|"%s_%d= "
second-key-wins|native|storage/ini_file.cpp|    for (const IniKey& k : found->keys)\n        if (sameIniName(k.name, name)) return &k;\n    return nullptr;|    const IniKey* last = nullptr;\n    for (const IniKey& k : found->keys)\n        if (sameIniName(k.name, name)) last = &k;\n    return last;
schedule-slot|native|edit/close_day.cpp|int target = i;|int target = i + 1 < scheduleLineCount ? i + 1 : i;
quarter-of-four|native|edit/close_day.cpp|month % 3 == shownMonth % 3|month % 4 == shownMonth % 4
block-check-third-byte|native|text/utf8_text.cpp|_mm_alignr_epi8(block, previous, 14)|_mm_alignr_epi8(block, previous, 15)
fold-skips-bytes|native|text/letter_case.cpp|pos + 64 <= text.size(); pos += 64)|pos + 64 <= text.size(); pos += 80)
match-inside-character|native|day/day_search.cpp|continuesCharacter(folded[hit])|false
folded-lines-assumed|native|day/day_search.cpp|kept && i < store.lines.size()|false && i < store.lines.size()
table-folds-down|windows|app/locale_text_win32.cpp|LCMAP_UPPERCASE, units.data()|LCMAP_LOWERCASE, units.data()
held-reminder-dropped|windows|app/clock_win32.cpp|remindOfSlots(now, slotsWaiting)) slotsWaiting = 0;|remindOfSlots(now, slotsWaiting) + 1) slotsWaiting = 0;
half-emoji-kept|windows|app/locale_text_win32.cpp|continue;  // half a character|;
find-list-cut|windows|app/find_dialog_win32.cpp|item.pszText = shown.data();|lstrcpynA(item.pszText, shown.c_str(), item.cchTextMax);
plane-one-not-asked|windows|app/locale_text_win32.cpp|        if (upperCasesOf(pairs))|        if (false)
plane-one-kept|native|text/letter_case.cpp|    case 4: {  // an upper case|    case 5: {  // an upper case
blank-mark-stored|native|day/stored_page.h|{ return !sameStoredPage(held, window); }|{ return firstChangedLine(held, window) >= 0; }
line-pushed-from-its-slot|native|day/page_merge.cpp|        if (used[placed.slot]) {|        if (used[placed.slot] or !placed.moved) {
blank-mark-taken-back|native|day/page_merge.cpp|            if (isBlankLine(window.lines[i])) page.lines[i].mark = window.lines[i].mark;|
cut-off-by-one|native|text/utf8_text.cpp|editorPrefixBytes(text, charactersOfBuffer(width))|editorPrefixBytes(text, charactersOfBuffer(width) - 1)
mark-order|native|edit/sort_tasks.cpp|return a.mark < b.mark ? -1 : 1;|return a.mark > b.mark ? -1 : 1;
no-blank-before-name|native|directory/insert_text.cpp|if (start > 0) append(" ", 1);|if (start > 1) append(" ", 1);
caret-before-name|windows|app/insert_item_win32.cpp|EM_SETSEL, caret, caret|EM_SETSEL, 0, 0
enter-from-last-note|windows|app/line_navigation_win32.cpp|SetFocus(lineEditor((line + 1) % dayLineCount));|SetFocus(lineEditor(line + 1 < dayLineCount ? line + 1 : line));
run-without-autorun|windows|app/options_win32.cpp|return L"\"" + path + L"\" " + autorunArgument;|return L"\"" + path + L"\" ";
no-done-state-after-move|windows|app/line_commands_win32.cpp|    SetFocus(other);\n    applyDoneState();|    SetFocus(other);
unread-day-changed|windows|app/main_window_win32.cpp|{IDM_CLOSE_EMPTY_TASKS, closeEmptyTasks, true}|{IDM_CLOSE_EMPTY_TASKS, closeEmptyTasks, false}
edit-adds-row|windows|app/directory_list_win32.cpp|adding ? -1 : selectedRow(list.listControl), edit.entry|-1, edit.entry
cancel-undoes-addition|windows|app/directory_list_win32.cpp|case IDCANCEL: EndDialog(dialog, 0); break;|case IDCANCEL: std::memset(list.entries, 0, sizeof list.entries); EndDialog(dialog, 0); break;
gather-untrimmed|windows|app/day_lines_win32.cpp|    trimLineText(line);|
step-without-save|windows|app/date_navigation_win32.cpp|    if (!keepShownDay(userAsked ? KeepOccasion::leaveAsked : KeepOccasion::leave)) return false;\n    appState.dateShown = date;|    appState.dateShown = date;
late-tick-no-reminder|native|day/reminders.cpp|    int to = secondOfDay(now);|    int to = secondOfDay(now) % 1800 == 0 ? secondOfDay(now) : from;
unchanged-page-written|native|day/stored_page.h|{ return !sameStoredPage(held, window); }|{ return true; }
undo-keeps-101|native|edit/undo_history.cpp|history.undoable.size() == undoStepLimit|history.undoable.size() > undoStepLimit
find-untrimmed|native|day/day_search.cpp|std::string_view trimmed = trimBlanks(typed);|std::string_view trimmed = typed;
unreadable-day-saved|windows|day/stored_page.cpp|noteRead(stored, beforeReading, read == ReadResult::unreadable);|noteRead(stored, beforeReading, read == ReadResult::missing);
find-selects-nothing|windows|app/find_dialog_win32.cpp|SendMessageA(editor, EM_SETSEL, start, end);|SendMessageA(editor, EM_SETSEL, start, start);
undo-never-greyed|windows|app/undo_win32.cpp|canUndo(appState.undoHistory, now)|true
no-save-as-you-type|e2e:never_lose|app/main_window_win32.cpp|        clockTick();\n        keepShownDay(KeepOccasion::tick);\n        keepDirectories(KeepOccasion::tick);\n        watchOtherVersions();|        clockTick();\n        keepDirectories(KeepOccasion::tick);\n        watchOtherVersions();
version-device-length|native|storage/other_version.cpp|if (middle.size() != 7) return {};|if (middle.size() < 6) return {};
setup-name-split|native|storage/other_version.cpp|if (!isSetupComputerName(middle) && hyphen|if (hyphen
hyphen-per-byte|native|storage/other_version.cpp|        if ((static_cast<unsigned char>(c) & 0xc0) == 0x80) continue;  // the rest of a character begun\n|
version-blank-line-mark|native|day/day_page.cpp|return isBlankLine(a) == isBlankLine(b);|return isBlankLine(a) == isBlankLine(b) && a.mark == b.mark;
version-checked-by-version|native|day/version_lines.cpp|lines.push_back({i, page.lines[i].text[0] == '\0'});|lines.push_back({i, version.lines[i].text[0] != '\0'});
version-union-one-short|native|directory/directory_merge.cpp|if (count == directoryCapacity) {|if (count == directoryCapacity - 1) {
version-moved-over|native|storage/file_store_posix.cpp|::link(source.c_str(), target.c_str()) != 0)|::rename(source.c_str(), target.c_str()) != 0)
version-same-offered|windows|app/other_versions_win32.cpp|!differingLines(shown, version.page).empty();|true;
version-read-once|windows|app/other_versions_win32.cpp|version.found.file.size == found.file.size &&\n            version.found.file.modified == found.file.modified)|true)
version-compared-raw|native|day/version_lines.cpp|    pageAsShown(shown, page);\n|
version-label-by-maker|native|storage/other_version.cpp|sameText(name.who, computerInNames(thisComputer))|true
version-largest-not-read|native|day/version_lines.cpp|version.file.size > largestComparedVersion|version.file.size >= largestComparedVersion
version-computer-dropped|native|storage/other_version.cpp|(name.empty() ? "" : name + "-")|""
version-told-twice|windows|app/directory_copies_win32.cpp|            return settle(copies.settled, copy);\n        // While|            return;\n        // While
version-button-stays|e2e:other_versions|app/other_versions_win32.cpp|any ? SW_SHOWNA : SW_HIDE|SW_SHOWNA
merge-keeps-window-always|native|day/page_merge.cpp|    if (same(mine, was)) return theirs;|    if (false) return theirs;
merge-drops-kept-entries|native|directory/directory_merge.cpp|keptByTheirs[b]) merged.push_back(&mine[i]);|false) merged.push_back(&mine[i]);
taken-halfway|native|storage/file_keeper.cpp|    if (moved) return KeepStep::nothing;\n|
reload-loses-caret|windows|app/day_view_win32.cpp|    if (answer.step == KeepStep::takeIn) showTakenIn(shown, page);|    if (answer.step == KeepStep::takeIn) showDayPage(page);
add-dialog-disturbed|windows|app/directory_list_win32.cpp|        bool asking = guard.ticking && isOpen(*list) && !IsWindowEnabled(GetParent(list->listControl));|        bool asking = false;
copy-found-by-title|e2e:main_window|app/inbox_win32.cpp|FindWindowExA(HWND_MESSAGE, nullptr, inboxClass, appState.caption)|FindWindowA(nullptr, appState.caption)
ics-fold-splits-character|native|icalendar/ical_text.cpp|        while (cut > 0 && isContinuationByte(static_cast<unsigned char>(line[cut]))) --cut;\n|
ics-end-after-an-hour|native|icalendar/calendar_feed.cpp|utcText(start + 30)|utcText(start + 60)
ics-southern-zone-as-northern|native|icalendar/time_zone.cpp|    if (toDaylight < toStandard) return local >= toDaylight && local < toStandard;|    return local >= toDaylight && local < toStandard;
ics-repeated-todo-same-uid|native|icalendar/calendar_feed.cpp|todoUid(date, line.text, ++seen[line.text])|todoUid(date, line.text, 1)
ics-held-day-dropped|native|icalendar/calendar_feed.cpp|        if (found != feed.asFound.end()) feed.days[dateKey(date)] = found->second;|
ics-zone-id-escaped|native|icalendar/ical_reader.cpp|zone.id = unescapeText(line.value);|zone.id = line.value;
ics-zone-hour-ignored|native|icalendar/recurrence.cpp|only(rule.byHour, minuteOfDay / 60)|only(rule.byHour, minuteOfDay / 60 + 1)
ics-unchanged-written|native|icalendar/calendar_feed.cpp|if (feed.written && *bytes == *feed.written) return nullptr;|if (false) return nullptr;
ics-typing-not-followed|windows|app/calendar_file_win32.cpp|if (refreshWatchedDays(feed) |if (false 
merge-follows-slots|native|day/page_merge.cpp|                baseToSide[i] = j, taken[j] = true;|                continue;
merge-doubles-a-text|native|day/page_merge.cpp|        if (now <= most) continue;|        continue;
pasted-break-kept|windows|app/line_navigation_win32.cpp|    if (message == WM_PASTE) {|    if (message == WM_PASTE && false) {
leave-without-settling|native|storage/file_keeper.cpp|    if (moved && keeper.settleLooks < settleWaitLooks) {|    if (false) {
written-over-arrival|native|storage/file_store_posix.cpp|    if (ok && expected && !(fileStamp(path) == *expected)) {|    if (false) {
held-file-waited-for|native|storage/file_keeper.cpp|    if (!readableNow(path)) return KeepStep::nothing;\n|
midnight-not-retried|windows|app/clock_win32.cpp|    followPending = !moveTo(today, false);|    moveTo(today, false);
close-day-before-taking-in|windows|app/close_day_win32.cpp|    if (!keepShownDay(KeepOccasion::leaveAsked)) return;\n\n    DayPage closing;|\n    DayPage closing;
second-take-left|windows|app/other_versions_win32.cpp|    if (!keepShownDay(KeepOccasion::leaveAsked)) return;\n    putVersionAside();|    keepShownDay(KeepOccasion::tick);\n    putVersionAside();
temporary-taken-over|native|storage/file_store_posix.cpp|    temporary = target + ".tmp";\n    int fd|    temporary = target + ".tmp";\n    ::unlink(temporary.c_str());\n    int fd
directory-failure-dropped|native|storage/kept_file.h|keeper.saveFailing) &&|false) &&
logoff-page-lost|native|storage/kept_file.h|    if (occasion == KeepOccasion::logOff && isFailure(answer.saved)) {|    if (false) {
failure-told-again|native|storage/file_keeper.h|    if (occasion == KeepOccasion::closing) return false;|    if (occasion == KeepOccasion::closing) return false;\n    if (isFailure(outcome)) return true;
failure-told-every-time|native|storage/file_keeper.cpp|    if (failureTold) return SaveOutcome::failedAgain;\n|
unread-leave-silent|native|storage/kept_file.h|    if (!leaving) return answer;\n    keeper.saveFailing|    return answer;\n    keeper.saveFailing
aside-failure-written-over|native|storage/kept_file.h|            if (answer.otherVersion.empty()) return failedOnLeaving(keeper, leaving);\n|
failed-leave-not-retried|native|storage/kept_file.h|    keeper.saveFailing = true;\n|
quick-passed-date|native|phrases/quick_phrase.cpp|dateKey(candidate) < dateKey(today)|dateKey(candidate) <= dateKey(today)
quick-weekday-time-passed|native|phrases/quick_phrase.cpp|r.start >= 0 && r.start <= nowMinute|r.start >= 0 && r.start < nowMinute
quick-short-name-alone|native|phrases/quick_phrase.cpp|if (isShort && (!marked|if (isShort && (false
quick-month-first|native|phrases/quick_phrase.cpp|    if (order == DateOrder::DayMonthYear)\n        std::swap(first, second);|    if (order != DateOrder::YearMonthDay)\n        std::swap(first, second);
quick-untimed-to-notes|windows|app/quick_add_win32.cpp|        item.startMinute = 24 * 60;|        item.startMinute = -1;
arrival-to-the-message|windows|app/inbox_win32.cpp|FindWindowExA(HWND_MESSAGE, nullptr, inboxClass, appState.caption)|FindWindowA("#32770", appState.caption)
arrival-over-the-message|windows|app/inbox_win32.cpp|appState.mainWindow && !messageBoxOpen() &&|appState.mainWindow &&
quick-key-not-kept|windows|app/options_win32.cpp|        writeDword(key, "quickAddKey", appState.quickAddKey);\n|
quick-key-shift-for-alt|windows|app/options_win32.cpp|(held & HOTKEYF_SHIFT ? MOD_SHIFT : 0)|(held & HOTKEYF_ALT ? MOD_SHIFT : 0)
quick-key-held-unsaid|windows|app/options_win32.cpp|free ? SW_HIDE : SW_SHOW|SW_HIDE
dated-one-change-ignored|native|icalendar/event_zones.cpp|    if (changes == 1) {|    if (changes == 99) {
split-character-not-joined|native|icalendar/ical_reader.cpp|    std::vector<std::string> lines = unfoldLines(bytes);\n    for (std::string& line : lines)|    std::vector<std::string> lines = unfoldLines(fileText(bytes, converted, legacy));\n    for (std::string& line : lines)
subscription-failure-told-again|windows|app/subscriptions_win32.cpp|    if (state.failureTold) return;|    if (false) return;
redirect-to-plain-http|native|icalendar/subscriptions.cpp|!from.secure);|from.secure);
follow-ticked-line-taken|native|icalendar/import_plan.cpp|page.lines[line].done) {|false) {
follow-older-applied|native|icalendar/follow_events.cpp|        if (order < 0) {|        if (false) {
follow-stamp-ignored|native|icalendar/import_plan.cpp|    if (int stamps = a.stamp.compare(b.stamp)) return stamps;\n|
follow-later-not-reached|native|icalendar/import_plan.cpp|!plan_.series.count(event.uid)) anyPlanned|false) anyPlanned
follow-range-cancels-one|native|icalendar/follow_events.cpp|start >= from;|start == from;
follow-retime-in-text-only|native|icalendar/follow_events.cpp|row.text == item.text && row.line == item.scheduleLine|row.text == item.text
follow-moved-series-leaves-old|native|icalendar/follow_events.cpp|compareVersions(version, row.version) <= 0)|true)
follow-record-merge-drops-theirs|native|icalendar/calendar_lines.cpp|        if (!has(baseForms, theirForms[i])) keep(theirs[i], theirForms[i]);\n|
follow-past-day-taken-off|native|icalendar/follow_events.cpp|    bool inReach(const SystemTime& day) const { return dateKey(day) >= today_; }|    bool inReach(const SystemTime&) const { return true; }
follow-other-calendars-lines-taken|native|icalendar/follow_events.cpp|row.subscription == settings_.subscription && inWindow(int(r))|inWindow(int(r))
follow-later-change-in-file-ignored|native|icalendar/import_plan.cpp|const Change* change = isOverride ? nullptr : laterChangeOf(event.uid, start.local);|const Change* change = nullptr;
rule-last-week-one-late|native|icalendar/recurrence.cpp|n == week - weeks - 1;|n == week - weeks;
repeats-within-half-hour-uncounted|native|icalendar/import_plan.cpp|            plan_.tooFrequent += start.leftOut;\n|
rule-hourly-minutes-dropped|native|icalendar/recurrence.cpp|for (int m : unit == 3600 ? parts.minutes : std::vector<int>{0})|for (int m : std::vector<int>{0})
rule-last-position-one-early|native|icalendar/recurrence.cpp|int64_t i = position > 0 ? position - 1 : n + position;|int64_t i = position > 0 ? position - 1 : n + position - 1;
working-folder-of-the-opened-file|native|storage/working_folder.cpp|    if (!place.recorded.empty()) return place.recorded;|    if (place.withArguments) return place.current;
installer-logon-entry-lost|e2e:installer|packaging/quillory.wxs|      <ComponentRef Id="LogonEntry"/>\n|
subscription-new-day-not-placed|windows|app/subscriptions_win32.cpp|state.placedDay == today)) {|true)) {
EOF
)

caught=0 missed=0 stale=0  # a fault that does not build counts as stale: it proves nothing
while IFS='|' read -r name layer file old new; do
  [ -n "$filter" ] && [[ ! "$name $layer" =~ $filter ]] && continue
  cp "$file" "$file.orig"
  if ! OLD="$old" NEW="$new" python3 - "$file" <<'PY'
import os, sys
path = sys.argv[1]
old = os.environ["OLD"].replace("\\n", "\n")
new = os.environ["NEW"].replace("\\n", "\n")
text = open(path, encoding="latin-1").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="latin-1").write(text.replace(old, new))
PY
  then
    echo "STALE   $name: the text is no longer in $file"
    stale=$((stale + 1))
  elif ! build_layer "$layer"; then
    echo "STALE   $name: does not build"
    stale=$((stale + 1))
  elif run_layer "$layer"; then
    echo "MISSED  $name ($layer, $file)"
    missed=$((missed + 1))
  else
    echo "caught  $name ($layer, $file)"
    caught=$((caught + 1))
  fi
  mv "$file.orig" "$file"
  touch "$file"
done <<<"$faults"
echo "$caught caught, $missed missed, $stale stale in $(( $(date +%s) - started )) s"
[ "$missed" -eq 0 ] && [ "$stale" -eq 0 ]
