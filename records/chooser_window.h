#pragma once
// The window of the chooser "Choose data", shared by the .dbf and the CSV chooser: the list of
// rows and the buttons OK, Neu eingeben, Bearbeiten, Löschen, Abbrechen, one list line per row,
// and the wait for the person's choice.

#include "toolkit/core/uxwindow.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlistbox.h"

struct ChooserWindow {
    uxWindow win;
    uxListBox list;
    uxBar bar;
    uxButton ok, add, edit, remove, cancel;
};

enum class ChooserAction { Leave, Choose, Add, Edit, Remove };

void OpenChooserWindow(ChooserWindow* w);
void CloseChooserWindow(ChooserWindow* w);

// Waits for the person. Leaving the chooser (Abbrechen, Escape, the close box) cancels the module
// that asked for it; Leave also comes when the application stops. Choose is OK or a double click.
ChooserAction WaitInChooser(ChooserWindow* w);

// One list line: "first name" (cut to the list's width), date, time, place.
void AddChooserLine(uxListBox* box, const char* first, const char* name, const char* date,
                    const char* time, const char* place);
