// Names for screen readers, from one table: hidden labels before the controls, and the platform's annotations.
#include "app/control_names_win32.h"

#include <oleacc.h>

#include <string>

#include "app/app_state_win32.h"
#include "day/day_view_win32.h"
#include "edit/marks_win32.h"
#include "resources/resource.h"

namespace {

// The annotation service's ids, which not every MinGW library carries.
const GUID accPropServicesClass = {0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const GUID accPropServicesInterface = {0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
const GUID nameProperty = {0x608d3df8, 0x8128, 0x4aa7, {0xa4, 0x28, 0xf5, 0x5e, 0x49, 0x26, 0x72, 0x91}};

const struct {
    int id;
    const char* name;
} headerButtons[] = {
    {IDC_PREVIOUS_DAY, "Previous day"},
    {IDC_PICK_DATE, "Pick a date"},
    {IDC_NEXT_DAY, "Next day"},
    {IDC_OTHER_VERSION, "Other version"},
};

// The label each control is named by, indexed as the page's lines and their boxes.
struct NameLabels {
    HWND lines[dayLineCount];
    HWND boxes[firstNoteLine];
};
NameLabels labels;

IAccPropServices* annotations()
{
    static IAccPropServices* service = nullptr;
    static bool asked = false;
    if (!asked) {
        asked = true;
        // Without COM on this thread (or on a platform without the service) the labels alone name the controls.
        if (FAILED(CoCreateInstance(accPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, accPropServicesInterface,
                                    reinterpret_cast<void**>(&service))))
            service = nullptr;
    }
    return service;
}

void setName(HWND label, HWND control, const std::string& name)
{
    SetWindowTextA(label, name.c_str());
    if (IAccPropServices* service = annotations()) {
        std::wstring wide(name.begin(), name.end());  // the names are ASCII
        service->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, nameProperty, wide.c_str());
    }
}

// Hidden and of no size: it names the control after it and shows nothing.
HWND labelBefore(HWND window, HWND control, HWND& previous)
{
    HWND label = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 0, 0, window, nullptr, appState.instance, nullptr);
    SetWindowPos(label, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(control, label, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
    return label;
}

std::string slotName(int line)
{
    char name[16];
    int hour = 8 + line / 2;
    std::snprintf(name, sizeof name, "%02d:%02d", appState.am_pm && hour > 12 ? hour - 12 : hour, line % 2 * 30);
    return name;
}

std::string plainName(int line)
{
    if (line < firstTodoLine) return slotName(line);
    char name[16];
    if (line < firstNoteLine)
        std::snprintf(name, sizeof name, "To do %d", line - firstTodoLine + 1);
    else
        std::snprintf(name, sizeof name, "Note %d", line - firstNoteLine + 1);
    return name;
}

}  // namespace

void nameControls(HWND window)
{
    labels = {};
    HWND previous = HWND_TOP;
    for (const auto& button : headerButtons) {
        HWND control = GetDlgItem(window, button.id);
        setName(labelBefore(window, control, previous), control, button.name);
    }
    for (int line = 0; line < dayLineCount; ++line) {
        labels.lines[line] = labelBefore(window, lineEditor(line), previous);
        if (HWND box = doneBox(line)) labels.boxes[line] = labelBefore(window, box, previous);
    }
    nameScheduleLines();
    for (int line = firstTodoLine; line < dayLineCount; ++line) nameLine(line);
    // The focus shows from the start, not only once a key has been pressed.
    SendMessageA(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

void nameLine(int line)
{
    if (!labels.lines[line]) return;
    std::string name = plainName(line);
    if (HWND box = doneBox(line)) {
        std::string boxName = "Done, " + name;
        if (line >= firstTodoLine) boxName[6] = 't';  // "Done, to do 3"
        setName(labels.boxes[line], box, boxName);
    }
    int32_t mark = markOfFont(HFONT(SendMessageA(lineEditor(line), WM_GETFONT, 0, 0)));
    if (mark == markImportant) name += ", Important";
    if (mark == markSecondary) name += ", Secondary";
    setName(labels.lines[line], lineEditor(line), name);
}

void nameScheduleLines()
{
    for (int line = 0; line < firstTodoLine; ++line) nameLine(line);
}
