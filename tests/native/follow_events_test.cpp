// Events followed by their UID through five imports into files on disk: placed, updated, changed by the user,
// an older copy, cancelled; the record of placed lines byte for byte at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "day/day_file.h"
#include "icalendar/follow_events.h"
#include "tests/common/dates.h"
#include "tests/common/saved_files.h"
#include "tests/common/scratch_folder.h"
#include "tests/common/zones.h"

namespace {

using Lines = std::vector<std::string>;

// "|" ends a content line.
std::string ics(std::string body)
{
    body = "BEGIN:VCALENDAR|VERSION:2.0|" + body + "END:VCALENDAR|";
    for (size_t at; (at = body.find('|')) != std::string::npos;) body.replace(at, 1, "\r\n");
    return body;
}

std::string event(const std::string& uid, int sequence, int stamp, const std::string& rest)
{
    return "BEGIN:VEVENT|UID:" + uid + "|SEQUENCE:" + std::to_string(sequence) + "|DTSTAMP:2026110" +
           std::to_string(stamp) + "T000000Z|" + rest + "END:VEVENT|";
}

// The day's lines as "MMDD line text", a done one marked with a star.
void listLines(const DayPage& page, int day, Lines& lines)
{
    for (int i = 0; i < dayLineCount; ++i)
        if (page.lines[i].text[0])
            lines.push_back(std::to_string(1200 + day) + " " + std::to_string(i) + " " + page.lines[i].text +
                            (page.lines[i].done ? "*" : ""));
}

}  // namespace

TEST(FollowEvents, UpdatesCancellationsAndTheUsersLines)
{
    ScratchFolder folder;
    const std::string a1 = event("a", 0, 1, "DTSTART:20261208T090000Z|DTEND:20261208T093000Z|SUMMARY:Review|"),
                      b1 = event("b", 0, 1, "DTSTART:20261202T100000|DTEND:20261202T103000|RRULE:FREQ=WEEKLY;COUNT=4|SUMMARY:Standup|"),
                      c1 = event("c", 0, 1, "DTSTART:20261210T120000|DTEND:20261210T123000|SUMMARY:Lunch|");
    struct Edit { int day, line; const char* text; };  // no text: ticked
    const struct { std::vector<Edit> edits; std::string file, summary; Lines after; } steps[] = {
        {{}, a1 + b1 + c1, "Imported 6 events on 6 days.",
         {"1202 4 Standup", "1208 2 Review", "1209 4 Standup", "1210 8 Lunch", "1216 4 Standup", "1223 4 Standup"}},
        {{}, event("a", 1, 2, "DTSTART:20261208T140000Z|DTEND:20261208T143000Z|SUMMARY:Design review|") +
                 event("b", 0, 2, "RECURRENCE-ID:20261216T100000|DTSTART:20261216T110000|DTEND:20261216T113000|SUMMARY:Standup (late)|") +
                 event("c", 0, 2, "DTSTART:20261210T120000|DTEND:20261210T123000|SUMMARY:Team lunch|"),
         "Imported 0 events on 0 days.\n3 events moved.",
         {"1202 4 Standup", "1208 12 Design review", "1209 4 Standup", "1210 8 Team lunch", "1216 6 Standup (late)", "1223 4 Standup"}},
        {{{8, 12, "Design review - notes"}, {23, 4, nullptr}},
         event("a", 2, 3, "DTSTART:20261208T150000Z|DTEND:20261208T153000Z|SUMMARY:Design review|") +
             event("b", 1, 3, "RECURRENCE-ID;RANGE=THISANDFUTURE:20261209T100000|DTSTART:20261209T093000|DTEND:20261209T100000|SUMMARY:Standup|"),
         "Imported 0 events on 0 days.\n4 events moved.\n2 lines you changed were left as they are.",
         {"1202 4 Standup", "1208 12 Design review - notes", "1208 14 Design review", "1209 3 Standup", "1210 8 Team lunch",
          "1216 3 Standup", "1223 3 Standup", "1223 4 Standup*"}},
        {{}, a1 + b1 + c1, "Imported 0 events on 0 days.\n5 events were older than the ones on your page.\n1 event was already on its day.",
         {"1202 4 Standup", "1208 12 Design review - notes", "1208 14 Design review", "1209 3 Standup", "1210 8 Team lunch",
          "1216 3 Standup", "1223 3 Standup", "1223 4 Standup*"}},
        {{}, "METHOD:CANCEL|" + event("b", 2, 4, "RECURRENCE-ID;RANGE=THISANDFUTURE:20261216T100000|DTSTART:20261216T093000|") +
                 event("c", 0, 4, "DTSTART:20261210T120000|") + event("x", 0, 4, "DTSTART:20261211T120000|"),
         "Imported 0 events on 0 days.\n3 cancelled events were taken off their days.\n1 cancelled event was left out.",
         {"1202 4 Standup", "1208 12 Design review - notes", "1208 14 Design review", "1209 3 Standup", "1223 4 Standup*"}},
    };
    const std::string elsewhere = "]\r\nuid = y\r\nstart = 20261224\r\nsequence = 0\r\nstamp = \r\n"
                                  "day = 2026-12-24\r\nline = 42\r\ntext = Holiday\r\n";
    const int shownDay = 16;
    DayPage shown;  // the window's, changed in memory
    for (size_t n = 0; n < std::size(steps); ++n) {
        for (const Edit& edit : steps[n].edits) {
            DayPage page;
            readDayPage(date(2026, 12, edit.day), page);
            if (edit.text) setLineText(page.lines[edit.line], edit.text);
            else page.lines[edit.line].done = 1;
            saveDayPage(page, date(2026, 12, edit.day));
        }
        CalendarFile file;
        ASSERT_EQ(readCalendarFile(ics(steps[n].file), file), CalendarFileCheck::read);
        CalendarImport done = importCalendar(file, {date(2026, 12, 1), utcRules, nullptr}, {}, date(2026, 12, shownDay),
                                             [&](const DayImport& day) {
                                                 // Another computer places a line meanwhile: both are kept.
                                                 if (n == 4) writeBytes("calendar_lines.ini", readBytes("calendar_lines.ini") + "\r\n[LINE_6" + elsewhere);
                                                 return changePage(shown, day);
                                             },
                                             {"PC", date(2026, 12, 1)});
        EXPECT_EQ(done.summary, steps[n].summary) << "step " << n;
        Lines lines;
        for (int day = 1; day <= 31; ++day) {
            DayPage page;
            readDayPage(date(2026, 12, day), page);
            listLines(day == shownDay ? shown : page, day, lines);
        }
        EXPECT_EQ(lines, steps[n].after) << "step " << n;
    }
    EXPECT_EQ(readBytes("calendar_lines.ini"),
              "\r\n[LINE_0]\r\nuid = b\r\nstart = 20261202T100000\r\nsequence = 0\r\nstamp = 20261101T000000Z\r\n"
              "day = 2026-12-02\r\nline = 4\r\ntext = Standup\r\n"
              "\r\n[LINE_1]\r\nuid = a\r\nstart = 20261208T150000Z\r\nsequence = 2\r\nstamp = 20261103T000000Z\r\n"
              "day = 2026-12-08\r\nline = 14\r\ntext = Design review\r\n"
              "\r\n[LINE_2]\r\nuid = b\r\nrecurrence-id = 20261209T100000\r\nsequence = 1\r\nstamp = 20261103T000000Z\r\n"
              "day = 2026-12-09\r\nline = 3\r\ntext = Standup\r\n" "\r\n[LINE_3" + elsewhere);
}

// A calendar kept in step: what a reading no longer gives is cancelled, but never a line of a past day, nor one
// another calendar or an import placed.
TEST(FollowEvents, AReadingKeptInStepWithTheLast)
{
    ScratchFolder folder;
    auto row = [](const char* uid, int day, const char* text, const char* from) {
        return std::string("\r\n[LINE_") + uid + "]\r\nuid = " + uid + "\r\nstart = 2026120" + std::to_string(day) +
               "\r\nday = 2026-12-0" + std::to_string(day) + "\r\nline = 2\r\ntext = " + text + "\r\n" + from;
    };
    writeBytes("calendar_lines.ini", row("old", 2, "Old call", "subscription = work\r\n") + row("mine", 7, "Mine", ""));
    for (auto [day, text] : {std::pair{2, "Old call"}, {7, "Mine"}}) {
        DayPage page;
        setLineText(page.lines[2], text);
        saveDayPage(page, date(2026, 12, day));
    }
    // A weekly event whose last two occurrences the file moves to 16:00 in one change.
    const std::string weekly = event("r", 0, 1, "DTSTART:20261204T150000|DTEND:20261204T153000|RRULE:FREQ=WEEKLY;COUNT=3|SUMMARY:Weekly|") +
                               event("r", 0, 1, "RECURRENCE-ID;RANGE=THISANDFUTURE:20261211T150000|DTSTART:20261211T160000|DTEND:20261211T163000|SUMMARY:Late|");
    const struct { std::string file, summary; Lines after; } readings[] = {
        {weekly + event("p", 0, 1, "DTSTART:20261205T090000|DTEND:20261205T093000|SUMMARY:Plan|") +
             event("q", 0, 1, "DTSTART:20261206T100000|DTEND:20261206T103000|SUMMARY:Gym|"),
         "Imported 5 events on 5 days.",
         {"1202 2 Old call", "1204 14 Weekly", "1205 2 Plan", "1206 4 Gym", "1207 2 Mine", "1211 16 Late", "1218 16 Late"}},
        {weekly + event("p", 0, 2, "DTSTART:20261205T110000|DTEND:20261205T113000|SUMMARY:Plan|") +
             event("s", 0, 1, "DTSTART:20261208T120000|DTEND:20261208T123000|SUMMARY:Call|"),
         "Imported 1 event on 1 day.\n1 event moved.\n1 cancelled event was taken off its day.\n3 events were already on their days.",
         {"1202 2 Old call", "1204 14 Weekly", "1205 6 Plan", "1207 2 Mine", "1208 8 Call", "1211 16 Late", "1218 16 Late"}},
    };
    for (const auto& reading : readings) {
        CalendarFile file;
        ASSERT_EQ(readCalendarFile(ics(reading.file), file), CalendarFileCheck::read);
        CalendarImport done = importCalendar(file, {date(2026, 12, 3), utcRules, nullptr}, {"work", true},
                                             date(2026, 12, 31), nullptr, {"PC", date(2026, 12, 3)});
        EXPECT_EQ(done.summary, reading.summary);
        Lines lines;
        for (int day = 1; day <= 31; ++day) {
            DayPage page;
            readDayPage(date(2026, 12, day), page);
            listLines(page, day, lines);
        }
        EXPECT_EQ(lines, reading.after);
    }
}
