// The names screen readers say for the main window's controls.
#pragma once

#include <windows.h>

// Each control that takes the focus is named by the hidden label just before
// it in the tab order, where screen readers look for an unlabelled control's
// name, and through the platform's annotation service, which covers every
// control; the template gives the labels, this keeps them in step.
void nameControls(HWND window);

// A control's name through the annotation service alone: a button whose text
// says little ("+"), where no label can stand for it.
void annotateName(HWND control, const char* name);

// The schedule's names follow the hour labels.
void nameScheduleLines();

// Gives a line editor a mark's font, by which its mark is shown and said.
void setLineFont(HWND editor, HFONT font);
