// Saving as the user types, the message of a failing save, and files another program holds.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "main_window_fixture.h"

namespace {

const char today[] = "2026_12_06.ini";

class Autosave : public MainWindowTest {
protected:
    // The window's one-second timer, at once.
    void tick() { SendMessageA(window, WM_TIMER, 1, 0); }
};

TEST_F(Autosave, ChangedPageIsSavedOnTheNextTickAndAnUnchangedOneIsNot)
{
    openWindow();
    setLine(IDC_FIRST_SCHEDULE_LINE + 2, "  Dentist ", IDM_MARK_IMPORTANT);
    setText(IDC_FIRST_NOTE_LINE, "keys");
    click(IDC_FIRST_TODO_DONE);
    tick();
    std::string saved = readBytes(dayFile(today));
    EXPECT_EQ(text(IDC_FIRST_SCHEDULE_LINE + 2), "  Dentist ");
    command(IDC_NEXT_DAY);
    EXPECT_EQ(readBytes(dayFile(today)), saved);

    // Written by hand: the window shows it otherwise (no blank, another font), but it is not rewritten.
    const std::string handWritten = "[todo]\r\nTEXT_0=\" Call Bob\"\r\nMARK_0=5\r\n[NOTE]\r\nDONE_1=1\r\n";
    writeBytes(dayFile(today), handWritten);
    command(IDC_PREVIOUS_DAY);
    tick();
    EXPECT_EQ(readBytes(dayFile(today)), handWritten);
}

TEST_F(Autosave, FailedSaveIsToldOnceAndAgainOnlyAfterASuccess)
{
    openWindow();
    std::filesystem::path blocker = dayFile("2026_12_06.ini.tmp");
    struct Step { bool blocked; const char* typed; size_t told; };
    const Step steps[] = {{true, "a", 1}, {true, "b", 1}, {false, "b", 1}, {true, "c", 2}};
    for (const Step& step : steps) {
        if (step.blocked) std::filesystem::create_directories(blocker);
        else std::filesystem::remove(blocker);
        setText(IDC_FIRST_TODO_LINE, step.typed);
        tick();
        EXPECT_EQ(shownMessages.size(), step.told) << step.typed;
    }
    EXPECT_EQ(shownMessages.back().text, "Error operation of save!");
    EXPECT_EQ(shownMessages.back().type, UINT(MB_OK | MB_ICONERROR));
    std::filesystem::remove(blocker);
}

TEST_F(Autosave, HeldFilesAreReadAfterTheRetryButNeverWrittenOverWhenHeldLonger)
{
    const std::string day = "; YEAR:2026; MONTH:12; DAY:6;\r\n\r\n[SCHEDULE]\r\nTEXT_0 = Dentist\r\nDONE_0 = 0\r\n"
                            "MARK_0 = 1\r\n\r\n[TODO]\r\n\r\n[NOTE]\r\n";
    const std::string contacts = "\r\n[ITEM_0]\r\nbirthday = \r\ndescription = \r\nemail = \r\nname = Ann\r\nphone = \r\n";
    for (int milliseconds : {300, 3000}) {
        bool readable = milliseconds < 1000;
        SCOPED_TRACE(milliseconds);
        writeBytes(dayFile(today), day);
        writeBytes("directory_contact.ini", contacts);
        shownMessages.clear();
        // Another program holds both files, without sharing, for a while.
        std::vector<HANDLE> handles;
        for (const std::filesystem::path& file : {dayFile(today), std::filesystem::path("directory_contact.ini")})
            handles.push_back(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        std::thread holder([=] {
            Sleep(milliseconds);
            for (HANDLE handle : handles) CloseHandle(handle);
        });
        openWindow();
        EXPECT_EQ(text(IDC_FIRST_SCHEDULE_LINE), readable ? "Dentist" : "");
        EXPECT_EQ(readOnly(IDC_FIRST_NOTE_LINE), !readable);
        EXPECT_EQ(IsWindowEnabled(item(IDC_FIRST_TODO_DONE)) != 0, readable);
        // Their wording is checked end to end.
        EXPECT_EQ(shownMessages.size(), readable ? 0u : 2u);
        for (const ShownMessage& message : shownMessages) EXPECT_EQ(message.type, UINT(MB_OK | MB_ICONERROR));
        std::vector<bool> buttons;
        runWithDialogs([&] { command(IDM_CONTACTS); }, {[&] {
                           for (int id : {IDC_ADD_ENTRY, IDC_EDIT_ENTRY, IDC_DELETE_ENTRY})
                               buttons.push_back(IsWindowEnabled(GetDlgItem(dialogNamed("Contacts"), id)));
                           press("Contacts", IDCANCEL);
                       }});
        EXPECT_EQ(buttons, std::vector<bool>(3, readable));
        holder.join();
        if (!readable) {
            // Let go of by now: typing, a tick and stepping away still leave the file alone.
            setText(IDC_FIRST_SCHEDULE_LINE, "typed over");
            tick();
            EXPECT_EQ(readBytes(dayFile(today)), day);
            command(IDC_NEXT_DAY);
            command(IDC_PREVIOUS_DAY);
            EXPECT_EQ(text(IDC_FIRST_SCHEDULE_LINE), "Dentist");
            EXPECT_FALSE(readOnly(IDC_FIRST_NOTE_LINE));
        }
        closeWindow();
        EXPECT_EQ(readBytes(dayFile(today)), day);
        EXPECT_EQ(readBytes("directory_contact.ini"), contacts);
    }
}

}  // namespace
