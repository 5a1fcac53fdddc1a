// Lines typed in the user's own words: the day, time and text read from them in English, German and French.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "phrases/quick_phrase.h"

namespace {

const LocaleNames german{{"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"},
    {"Januar", "Februar", "M\xc3\xa4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober", "November", "Dezember"},
    {"Jan", "Feb", "M\xc3\xa4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"}, DateOrder::DayMonthYear};
const LocaleNames french{{"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."},
    {"janvier", "f\xc3\xa9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\xc3\xbbt", "septembre", "octobre", "novembre", "d\xc3\xa9" "cembre"},
    {"janv.", "f\xc3\xa9vr.", "mars", "avr.", "mai", "juin", "juil.", "ao\xc3\xbbt", "sept.", "oct.", "nov.", "d\xc3\xa9" "c."}, DateOrder::DayMonthYear};
LocaleNames us()
{
    LocaleNames names = englishNames();
    names.order = DateOrder::MonthDayYear;
    return names;
}

// Each case: the locale (e English, u US order, d German, f French), what is typed, and the day with the
// line's text as the page will hold it; "!" important, "n" a note, or the word that was not understood;
// then today and the minute of the day now, when not Tuesday 8 December 2026 at 10:00.
TEST(QuickPhrase, ReadsDayTimeAndText)
{
    const LocaleNames usNames = us();
    const struct {
        char locale;
        const char *typed, *expected, *flag = "", *today = "2026-12-08";
        int now = 600;
    } cases[] = {
        // English words, Tuesday 8 December 2026 at 10:00.
        {'e', "Dentist tomorrow 2pm", "2026-12-09 14:00 Dentist"}, {'e', "Call the plumber", "2026-12-08 Call the plumber"},
        {'e', "today Call the plumber", "2026-12-08 Call the plumber"},
        {'e', "Dentist Friday 14:30", "2026-12-11 14:30 Dentist"}, {'e', "Dentist Fri 14.30", "2026-12-11 14:30 Dentist"},
        {'e', "Dentist FRIDAY 14h30", "2026-12-11 14:30 Dentist"}, {'e', "Review next friday", "2026-12-11 Review"},
        {'e', "Review next tuesday", "2026-12-15 Review"}, {'e', "Review tuesday", "2026-12-08 Review"},
        {'e', "Review tuesday 11:00", "2026-12-08 11:00 Review"}, {'e', "Review tuesday 9:00", "2026-12-15 09:00 Review"},
        {'e', "Review tuesday 10:00", "2026-12-15 10:00 Review"}, {'e', "Standup monday 9am", "2026-12-14 09:00 Standup"},
        {'e', "Lunch on Sunday", "2026-12-13 Lunch"}, {'e', "Lunch Sat 12pm", "2026-12-12 12:00 Lunch"},
        {'e', "Night shift Wed 12am", "2026-12-09 00:00 Night shift"}, {'e', "Pay rent in 3 days", "2026-12-11 Pay rent"},
        {'e', "Pay rent in 1 day", "2026-12-09 Pay rent"}, {'e', "Pay rent in 0 days", "2026-12-08 Pay rent"},
        {'e', "Check in 2 weeks", "2026-12-22 Check"}, {'e', "Check in 4 weeks", "2027-01-05 Check"},
        {'e', "Check in 1 week at 9", "2026-12-15 09:00 Check"}, {'e', "Meet Anna at 9", "2026-12-08 09:00 Meet Anna"},
        {'e', "Meet Anna at 17", "2026-12-08 17:00 Meet Anna"}, {'e', "Meet Anna at 2:30 pm", "2026-12-08 14:30 Meet Anna"},
        {'e', "Meet Anna 2:30 pm", "2026-12-08 14:30 Meet Anna"}, {'e', "Meet Anna 2:30pm", "2026-12-08 14:30 Meet Anna"},
        {'e', "Meet Anna 12:15am", "2026-12-08 00:15 Meet Anna"},
        {'e', "Dentist 14:30 for 45 min", "2026-12-08 14:30-15:15 Dentist"},
        {'e', "Dentist 14:30 for 1h", "2026-12-08 14:30-15:30 Dentist"},
        {'e', "Dentist 14:30 for 1h30", "2026-12-08 14:30-16:00 Dentist"},
        {'e', "Dentist 14:30 for 2 hours", "2026-12-08 14:30-16:30 Dentist"},
        {'e', "Dentist 14:30 for 90 minutes", "2026-12-08 14:30-16:00 Dentist"},
        {'e', "Dentist 14:30 for 30min", "2026-12-08 14:30-15:00 Dentist"},
        {'e', "Dentist 14:30-15:15", "2026-12-08 14:30-15:15 Dentist"},
        {'e', "Dentist 23:30 for 1h", "2026-12-08 23:30-00:30 Dentist"},
        {'e', "Walk for 2 hours", "2026-12-08 Walk for 2 hours"},
        {'e', "Dentist 15:15-14:30", "2026-12-08 Dentist 15:15-14:30", "15:15-14:30"},
        {'e', "Party 2026-12-24", "2026-12-24 Party"}, {'e', "Party 2027-02-28 20:00", "2027-02-28 20:00 Party"},
        {'e', "Party 2026-02-30", "2026-12-08 Party 2026-02-30", "2026-02-30"}, {'e', "Party 24/12", "2026-12-24 Party"},
        {'e', "Party 24.12.", "2026-12-24 Party"}, {'e', "Party 24.12.2026", "2026-12-24 Party"},
        {'e', "Party 1/12", "2027-12-01 Party"}, {'e', "Party 8/12", "2026-12-08 Party"},
        {'e', "Party 7/12", "2027-12-07 Party"}, {'e', "Party 1/12/2026", "2026-12-01 Party"},
        {'e', "Party 5/1/27", "2027-01-05 Party"}, {'e', "Party 32/12", "2026-12-08 Party 32/12", "32/12"},
        {'u', "Party 12/24", "2026-12-24 Party"}, {'u', "Party 1/5", "2027-01-05 Party"},
        {'u', "Party 1/5/2027 6pm", "2027-01-05 18:00 Party"}, {'u', "Party 24/12", "2026-12-08 Party 24/12", "24/12"},
        {'e', "Party 24 Dec", "2026-12-24 Party"}, {'e', "Party Dec 24", "2026-12-24 Party"},
        {'e', "Party December 24, 2027", "2027-12-24 Party"},
        {'e', "Party 24 December 2027 19:00", "2027-12-24 19:00 Party"}, {'e', "Party 3 Dec", "2027-12-03 Party"},
        {'e', "Party 8 Dec", "2026-12-08 Party"}, {'e', "Birthday 29 Feb", "2028-02-29 Birthday"},
        {'e', "Party 31 Nov", "2026-12-08 Party 31 Nov", "Nov"}, {'e', "Buy a sun hat", "2026-12-08 Buy a sun hat"},
        {'e', "Buy stamps", "2026-12-08 Buy stamps"}, {'e', "I may call", "2026-12-08 I may call"},
        {'e', "Chapter 14.3", "2026-12-08 Chapter 14.3"}, {'e', "Room 101", "2026-12-08 Room 101"},
        {'e', "Meeting at noon", "2026-12-08 Meeting at noon"}, {'e', "Alarm 25:00", "2026-12-08 Alarm 25:00", "25:00"},
        {'e', "Alarm 13pm", "2026-12-08 Alarm 13pm", "13pm"}, {'e', "Alarm 9:75", "2026-12-08 Alarm 9:75", "9:75"},
        {'e', "Dentist tomorow 2pm", "2026-12-08 14:00 Dentist tomorow", "tomorow"},
        {'e', "Dentist Firday", "2026-12-08 Dentist Firday", "Firday"},
        {'e', "Dentist thursdya", "2026-12-08 Dentist thursdya", "thursdya"},
        {'e', "Buy toddy", "2026-12-08 Buy toddy", "toddy"}, {'e', "Sunday roast friday", "2026-12-13 roast friday"},
        {'e', "! Renew passport", "2026-12-08 Renew passport", "!"},
        {'e', "Renew passport friday !", "2026-12-11 Renew passport", "!"},
        {'e', "Renew ! passport", "2026-12-08 Renew ! passport"}, {'e', "Renew passport!", "2026-12-08 Renew passport!"},
        {'e', "note: Gate code 4711", "2026-12-08 Gate code 4711", "n"},
        {'e', "note:Gate code tomorrow", "2026-12-09 Gate code", "n"},
        {'e', "Note: gate friday 9am", "2026-12-11 09:00 gate", "n"}, {'e', "  Dentist   tomorrow  ", "2026-12-09 Dentist"},
        {'e', "tomorrow", "2026-12-09 "}, {'e', "", "2026-12-08 "},
        {'e', "14:30", "2026-12-08 14:30"}, {'e', "Dentist 14:30 tomorrow 16:00", "2026-12-09 14:30 Dentist 16:00"},
        // German: names of the locale, the day's dot, accents given or not.
        {'d', "Zahnarzt Freitag 14:30", "2026-12-11 14:30 Zahnarzt"},
        {'d', "Zahnarzt am Freitag 14.30", "2026-12-11 14:30 Zahnarzt"},
        {'d', "Zahnarzt freitag um 9", "2026-12-11 09:00 Zahnarzt"}, {'d', "Zahnarzt Fr. 8:15", "2026-12-11 08:15 Zahnarzt"},
        {'d', "So war es", "2026-12-08 So war es"}, {'d', "Frühstück So. 9:00", "2026-12-13 09:00 Frühstück"},
        {'d', "Treffen Mittwoch", "2026-12-09 Treffen"}, {'d', "Treffen Dienstag", "2026-12-08 Treffen"},
        {'d', "Treffen Dienstag 8:00", "2026-12-15 08:00 Treffen"}, {'d', "Treffen next Donnerstag", "2026-12-10 Treffen"},
        {'d', "Treffen Thursday", "2026-12-10 Treffen"}, {'d', "Feier 24.12.", "2026-12-24 Feier"},
        {'d', "Feier 24.12.2026 18:00", "2026-12-24 18:00 Feier"}, {'d', "Feier 24. Dezember", "2026-12-24 Feier"},
        {'d', "Feier 24. Dez. 2027", "2027-12-24 Feier"}, {'d', "Feier 1. März", "2027-03-01 Feier"},
        {'d', "Feier 1. Marz", "2027-03-01 Feier"}, {'d', "Feier 1. MÄRZ", "2027-03-01 Feier"},
        {'d', "Feier 2. Mär", "2027-03-02 Feier"}, {'d', "Feier 1. Mai 14h", "2027-05-01 14:00 Feier"},
        {'d', "Feier 31.04.", "2026-12-08 Feier 31.04.", "31.04."},
        {'d', "Zahnarzt Freitga", "2026-12-08 Zahnarzt Freitga", "Freitga"},
        {'d', "Zahnarzt 14:30 für 1h", "2026-12-08 14:30 Zahnarzt für 1h"},
        {'d', "Bericht in 2 weeks", "2026-12-22 Bericht"}, {'d', "! Steuer Oktober 31", "2027-10-31 Steuer", "!"},
        // French: names with and without accents, "le", the locale's short names with their dot.
        {'f', "dentiste vendredi 14h30", "2026-12-11 14:30 dentiste"},
        {'f', "dentiste ven. 14h", "2026-12-11 14:00 dentiste"}, {'f', "dentiste le 24 décembre", "2026-12-24 dentiste"},
        {'f', "dentiste le 24 decembre", "2026-12-24 dentiste"}, {'f', "dentiste 24 DÉCEMBRE 2027", "2027-12-24 dentiste"},
        {'f', "dentiste 24 déc. 9h", "2026-12-24 09:00 dentiste"}, {'f', "vacances 15 août", "2027-08-15 vacances"},
        {'f', "vacances 15 aout", "2027-08-15 vacances"}, {'f', "vacances 1 févr.", "2027-02-01 vacances"},
        {'f', "vacances 24/12", "2026-12-24 vacances"}, {'f', "réunion mardi", "2026-12-08 réunion"},
        {'f', "réunion mar. 16h", "2026-12-08 16:00 réunion"}, {'f', "réunion mars 3", "2027-03-03 réunion"},
        {'f', "réunion mercredi à 9h", "2026-12-09 09:00 réunion"}, {'f', "la mer est belle", "2026-12-08 la mer est belle"},
        {'f', "réunion vendredy", "2026-12-08 réunion vendredy", "vendredy"},
        {'f', "réunion dans 2 jours", "2026-12-08 réunion dans 2 jours"},
        {'f', "réunion in 2 days 14h30", "2026-12-10 14:30 réunion"}, {'f', "Le marché samedi", "2026-12-12 Le marché"},
        // Month and year ends.
        {'e', "Party tomorrow", "2027-01-01 Party", "", "2026-12-31"},
        {'e', "Party friday", "2027-01-01 Party", "", "2026-12-31"},
        {'e', "Party in 1 day", "2027-01-01 Party", "", "2026-12-31"},
        {'e', "Party 1 Jan", "2027-01-01 Party", "", "2026-12-31"},
        {'e', "Party 31 Dec", "2026-12-31 Party", "", "2026-12-31"},
        {'e', "Party 30 Dec", "2027-12-30 Party", "", "2026-12-31"},
        {'e', "Party 31/12 23:59", "2026-12-31 23:59 Party", "", "2026-12-31"},
        {'d', "Silvester 01.01.", "2027-01-01 Silvester", "", "2026-12-31"},
        {'f', "fête jeudi 9h", "2027-01-07 09:00 fête", "", "2026-12-31"},
        {'e', "Rent tomorrow", "2026-12-01 Rent", "", "2026-11-30"},
        {'e', "Rent in 1 week", "2026-12-07 Rent", "", "2026-11-30"},
        {'e', "Rent in 2 days", "2026-03-01 Rent", "", "2026-02-27"},
        {'e', "Rent sunday", "2026-03-01 Rent", "", "2026-02-27"},
        {'e', "Rent tomorrow", "2028-02-29 Rent", "", "2028-02-28"},
        {'e', "Review 31/12", "2027-12-31 Review", "", "2027-01-01"},
        // Around the clock changes: the pages hold wall-clock times, even one the change skips.
        {'e', "Flight tomorrow 2:30am", "2026-03-29 02:30 Flight", "", "2026-03-28"},
        {'d', "Flug Sonntag 02:30 for 1h", "2026-03-29 02:30-03:30 Flug", "", "2026-03-28"},
        {'e', "Flight in 1 day 3am", "2026-03-29 03:00 Flight", "", "2026-03-28"},
        {'e', "Flight tomorrow 2:30am", "2026-10-25 02:30 Flight", "", "2026-10-24"},
        {'f', "vol dimanche 2h30 for 1h", "2026-10-25 02:30-03:30 vol", "", "2026-10-24"},
        {'e', "Flight 25/10 1:59", "2026-10-25 01:59 Flight", "", "2026-10-24"},
        {'u', "Flight 3/8 2am", "2026-03-08 02:00 Flight", "", "2026-03-07"},
        {'u', "Flight 11/1 1:30am for 1h", "2026-11-01 01:30-02:30 Flight", "", "2026-10-31"},
        // Late in the day: today's weekday has gone for times already past.
        {'e', "Review tuesday 23:59", "2026-12-15 23:59 Review", "", "2026-12-08", 1439},
        {'e', "Review tuesday 0:00", "2026-12-15 00:00 Review", "", "2026-12-08", 0},
        {'e', "Review tuesday 0:01", "2026-12-08 00:01 Review", "", "2026-12-08", 0},
    };
    const LocaleNames* locales[] = {&englishNames(), &usNames, &german, &french};
    for (const auto& c : cases) {
        SystemTime today{};
        std::sscanf(c.today, "%hu-%hu-%hu", &today.wYear, &today.wMonth, &today.wDay);
        const std::string codes = "eudf";
        const QuickLine line = readQuickLine(c.typed, today, c.now, *locales[codes.find(c.locale)]);
        char day[24];
        std::snprintf(day, sizeof day, "%04d-%02d-%02d ", line.date.wYear, line.date.wMonth, line.date.wDay);
        const std::string flag = line.important ? "!" : line.note ? "n" : line.notUnderstood;
        EXPECT_EQ(day + timedText(line), c.expected) << c.typed;
        EXPECT_EQ(flag, c.flag) << c.typed;
    }
}

// What the box shows under the edit while the line is typed.
TEST(QuickPhrase, PreviewsTheDayTheTimeOrLineAndTheText)
{
    const SystemTime today{2026, 12, 0, 8};
    const struct { const char* typed; const char* preview; } cases[] = {
        {"Dentist friday 14:30", "Friday 11 December \xc2\xb7 14:30 \xc2\xb7 Dentist"},
        {"Call the plumber", "Today \xc2\xb7 To do 4 \xc2\xb7 Call the plumber"},
        {"Call tomorrow 9am for 1h !", "Tomorrow \xc2\xb7 09:00-10:00 \xc2\xb7 ! Call"},
        {"Party 2027-01-02", "Saturday 2 January 2027 \xc2\xb7 To do 4 \xc2\xb7 Party"},
        {"Dentist tomorow", "Not understood: 'tomorow'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quickPreview(readQuickLine(c.typed, today, 600, englishNames()), today, englishNames(), "To do 4"), c.preview);
}

}  // namespace
