// Names for screen readers: the hidden labels of the template kept in step, and the platform's annotations.
#include "app/control_names_win32.h"

#include <oleacc.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/app_state_win32.h"
#include "day/day_search.h"
#include "app/line_controls_win32.h"
#include "resources/resource.h"

namespace {

// The annotation service's ids, which not every MinGW library carries.
const GUID accPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const GUID accPropServicesInterface = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
const GUID nameProperty = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

IAccPropServices* annotations()
{
    static IAccPropServices* service = nullptr;
    static bool asked = false;
    if (!asked) {
        asked = true;
        // Without COM on this thread, or a platform without the service, the labels alone name the controls.
        if (FAILED(CoCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, accPropServicesInterface,
                                    reinterpret_cast<void**>(&service))))
            service = nullptr;
    }
    return service;
}

void setName(HWND control, const std::string& name)
{
    HWND label = GetWindow(control, GW_HWNDPREV);
    char shown[64] = "";
    GetWindowTextA(label, shown, sizeof shown);
    if (name != shown) SetWindowTextA(label, name.c_str());
    annotateName(control, name.c_str());
}

// As Find names the lines, but for the afternoon's hours when the hour labels count twelve.
std::string plainName(int line)
{
    int hour = 8 + line / 2;
    if (line >= firstTodoLine || !appState.am_pm || hour <= 12) return lineLabel(line);
    char name[16];
    std::snprintf(name, sizeof name, "%02d:%02d", hour - 12, line % 2 * 30);
    return name;
}

// A line's name tells its mark.
void nameLine(int line)
{
    std::string name = plainName(line);
    if (HWND box = doneBox(line)) {
        std::string boxName = "Done, " + name;
        if (line >= firstTodoLine) boxName[6] = 't';  // "Done, to do 3"
        setName(box, boxName);
    }
    int32_t mark = markOfFont(HFONT(SendMessageA(lineEditor(line), WM_GETFONT, 0, 0)));
    if (mark == markImportant) name += ", Important";
    if (mark == markSecondary) name += ", Secondary";
    setName(lineEditor(line), name);
}

}  // namespace

void annotateName(HWND control, const char* name)
{
    if (IAccPropServices* service = annotations()) {
        std::wstring wide(name, name + std::strlen(name));  // the names are ASCII
        service->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, nameProperty, wide.c_str());
    }
}

void nameControls(HWND window)
{
    const struct {
        int id;
        const char* name;
    } buttons[] = {{IDC_PREVIOUS_DAY, "Previous day"}, {IDC_PICK_DATE, "Pick a date"}, {IDC_NEXT_DAY, "Next day"},
                   {IDC_OTHER_VERSION, "Other version"}};
    for (const auto& button : buttons) setName(GetDlgItem(window, button.id), button.name);
    // The schedule is named with the hour labels, once the options are read.
    for (int line = firstTodoLine; line < dayLineCount; ++line) nameLine(line);
    // The focus shows from the start, not only once a key has been pressed.
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void nameScheduleLines()
{
    for (int line = 0; line < firstTodoLine; ++line) nameLine(line);
}

void setLineFont(HWND editor, HFONT font)
{
    if (HFONT(SendMessageA(editor, WM_GETFONT, 0, 0)) == font) return;
    SendMessageA(editor, WM_SETFONT, WPARAM(font), FALSE);
    for (int line = 0; line < dayLineCount; ++line)
        if (lineEditor(line) == editor) nameLine(line);
}
