// Which half-hour boundaries a clock tick reaches, and the reminder it shows for them.
#include "day/reminders.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "text/utf8_text.h"

#include "dates/calendar.h"

namespace {

constexpr int firstSlotBoundary = 16;  // 08:00 is the 16th half hour of the day
constexpr int halfHoursPerDay = 48;

int secondOfDay(const SystemTime& t)
{
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

bool hasReminder(const DayLine& line)
{
    return !line.done && line.text[0] != '\0';
}

// What is appended so far, in bytes and in the balloon's characters.
struct Appended {
    size_t bytes = 0;
    size_t characters = 0;
};

size_t roomLeft(const Appended& appended)
{
    return reminderCharacterLimit - appended.characters;
}

// Appends the whole characters that fit, always terminated.
void appendCut(char (&text)[reminderTextSize], Appended& appended, std::string_view part)
{
    size_t count = editorPrefixBytes(part, roomLeft(appended));
    std::memcpy(text + appended.bytes, part.data(), count);
    appended.bytes += count;
    appended.characters += editorLength(part.substr(0, count));
    text[appended.bytes] = '\0';
}

}  // namespace

void startClockMemory(ClockMemory& memory, const SystemTime& now)
{
    memory = {now, 0};
}

ReachedBoundaries reachBoundaries(ClockMemory& memory, const SystemTime& now)
{
    ReachedBoundaries reached;
    int from = secondOfDay(memory.previous);
    if (!isSameDay(memory.previous, now)) {
        reached = {true, 0, true, memory.previous};
        // A clock set back to an earlier date reminds of nothing from that day.
        from = dateKey(now) > dateKey(memory.previous) ? -1 : secondOfDay(now);
        memory.remindedSlots = 0;
    }
    int to = secondOfDay(now);
    memory.previous = now;
    for (int halfHour = 0; halfHour < halfHoursPerDay; ++halfHour) {
        int boundary = halfHour * 1800;
        if (boundary <= from || boundary > to) continue;  // a clock set back reaches nothing
        reached.moveMarks = true;
        int slot = halfHour - firstSlotBoundary;
        if (slot < 0 || slot >= scheduleLineCount) continue;
        uint32_t bit = uint32_t(1) << slot;
        if (!(memory.remindedSlots & bit)) reached.slotsToRemind |= bit;
        memory.remindedSlots |= bit;
    }
    return reached;
}

void composeReminder(const DayLine (&schedule)[scheduleLineCount], uint32_t slots,
                     char (&text)[reminderTextSize])
{
    int due[scheduleLineCount];
    int count = 0;
    for (int slot = 0; slot < scheduleLineCount; ++slot)
        if ((slots >> slot & 1) && hasReminder(schedule[slot])) due[count++] = slot;

    text[0] = '\0';
    Appended appended;
    if (count == 1) {
        appendCut(text, appended, schedule[due[0]].text);
        return;
    }
    // Lines that do not fit are left out whole; only a first line too long on its own is cut.
    for (int i = 0; i < count; ++i) {
        int slot = due[i];
        char line[lineTextSize + 16];  // "\n08:30 " and the text, with room for the numbers as wide as the compiler assumes
        std::snprintf(line, sizeof line, "%s%02d:%02d %s", i ? "\n" : "", slot / 2 + 8, slot % 2 ? 30 : 0,
                      schedule[slot].text);
        if (i > 0 && editorLength(line) > roomLeft(appended)) break;
        appendCut(text, appended, line);
    }
}
