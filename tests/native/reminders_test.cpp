// Which boundaries a clock tick reaches and what its balloon says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/reminders.h"

namespace {

// A tick's local time in December 2026, and what it should do.
struct Tick { int day, hour, minute, second; bool marks = false; const char* balloon = ""; };

SystemTime at(const Tick& t)
{
    return {2026, 12, 0, uint16_t(t.day), uint16_t(t.hour), uint16_t(t.minute), uint16_t(t.second), 0};
}

// The clock starts at each case's first time; 08:00, 09:30, 10:00 and 18:30 hold texts.
TEST(Reminders, TicksReachEachBoundaryOnceADay)
{
    const struct { const char* name; int doneSlot; std::vector<Tick> ticks; } cases[] = {
        {"late tick", -1, {{6, 9, 29, 59}, {6, 9, 30, 1, true, "Dentist"}, {6, 9, 30, 2}}},
        {"sleep", -1, {{6, 9, 29, 59}, {6, 10, 17, 0, true, "09:30 Dentist\n10:00 Call Ann"}}},
        {"sleep, 10:00 done", 4, {{6, 9, 29, 59}, {6, 10, 17, 0, true, "Dentist"}}},
        {"first slot", -1, {{6, 7, 59, 59}, {6, 8, 0, 0, true, "Standup"}}},
        {"last slot", -1, {{6, 18, 29, 59}, {6, 18, 30, 0, true, "Gym"}, {6, 18, 30, 1}}},
        {"evening", -1, {{6, 18, 59, 59}, {6, 19, 0, 0, true}}},
        {"set back", -1, {{6, 9, 59, 55}, {6, 10, 0, 5, true, "Call Ann"}, {6, 9, 59, 50}, {6, 10, 0, 0, true}}},
        {"next day", -1, {{6, 9, 59, 59}, {6, 10, 0, 0, true, "Call Ann"}, {7, 9, 45, 0, true}, {7, 10, 0, 0, true, "Call Ann"}}},
    };
    for (const auto& c : cases) {
        DayLine schedule[scheduleLineCount];
        for (auto [slot, text] : {std::pair{0, "Standup"}, {3, "Dentist"}, {4, "Call Ann"}, {21, "Gym"}})
            setLineText(schedule[slot], text);
        if (c.doneSlot >= 0) schedule[c.doneSlot].done = 1;
        ClockMemory memory;
        startClockMemory(memory, at(c.ticks[0]));
        for (size_t i = 1; i < c.ticks.size(); ++i) {
            ReachedBoundaries reached = reachBoundaries(memory, at(c.ticks[i]));
            char text[reminderTextSize];
            composeReminder(schedule, reached.slotsToRemind, text);
            EXPECT_EQ(reached.moveMarks, c.ticks[i].marks) << c.name << ", tick " << i;
            EXPECT_STREQ(text, c.ticks[i].balloon) << c.name << ", tick " << i;
        }
    }
}

// Every slot holds a text of the given length, all a slot's own letter.
TEST(Reminders, BalloonDropsWholeLinesBeforeCuttingOne)
{
    const struct { int length; uint32_t slots; std::string balloon; } cases[] = {
        {259, 1, std::string(255, 'a')},
        {100, 7, "08:00 " + std::string(100, 'a') + "\n08:30 " + std::string(100, 'b')},
        {259, 0x3fffff, "08:00 " + std::string(249, 'a')},
    };
    for (const auto& c : cases) {
        DayLine schedule[scheduleLineCount];
        for (int slot = 0; slot < scheduleLineCount; ++slot)
            setLineText(schedule[slot], std::string(c.length, char('a' + slot)).c_str());
        char text[reminderTextSize];
        composeReminder(schedule, c.slots, text);
        EXPECT_EQ(text, c.balloon) << c.length << " " << c.slots;
    }
}

}  // namespace
