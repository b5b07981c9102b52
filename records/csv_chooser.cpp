// The chooser "Choose data" over a CSV table: the rows as the CSV reader reads them, a row
// chosen only when all its fields are usable. A CSV file is never written: entering, editing
// and deleting say that entries are saved into .dbf tables only.

#include "records/csv_chooser.h"

#include <cstdio>
#include <cstring>

#include "records/chooser_window.h"
#include "records/person_table.h"
#include "shell/dialogs.h"
#include "shell/output.h"

static void fill_list(PersonTable* table, uxListBox* list) {
    int rows = PersonTableRows(table);
    for (int row = 0; row < rows; ++row) {
        PersonEntry e{};
        RowCheck check;
        ReadPersonTableRow(table, row, &e, &check);
        char date[40], time[40];
        std::snprintf(date, sizeof date, "%2d.%2d.%4d", e.day, e.month, e.year);
        std::snprintf(time, sizeof time, "%2d:%02d:%02d", e.hour, e.minute, e.second);
        AddChooserLine(list, e.firstName, e.name, date, time, e.place);
    }
}

static const char* file_name(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

bool ChooseCsvData(const char* path, PersonEntry* entry) {
    PersonTable table;
    char why[300];
    if (OpenPersonTable(&table, path, why, sizeof why) != TableOpen::Opened) {
        if (why[0]) ShowMessage("The table %s cannot be used: %s.", file_name(path), why);
        return false;
    }
    ChooserWindow w;
    OpenChooserWindow(&w);
    fill_list(&table, &w.list);
    uxlistbox_select(&w.list, 0);
    uxwidget_focus(&w.list.base);

    bool chosen = false;
    for (;;) {
        ChooserAction action = WaitInChooser(&w);
        if (action == ChooserAction::Leave) break;
        if (action != ChooserAction::Choose) {
            ShowMessage("%s is a CSV file, which the program only reads. Entries are saved into "
                        ".dbf tables only.", file_name(path));
            continue;
        }
        int row = uxlistbox_selected(&w.list);
        if (row < 0 || row >= PersonTableRows(&table)) continue;
        PersonEntry e{};
        RowCheck check;
        if (!ReadPersonTableRow(&table, row, &e, &check)) {
            char line[200];
            FormatRowProblem(&check.problems[0], line, sizeof line);
            ShowMessage("%s", line);
            continue;
        }
        if (table.note[0]) Print("\n %s", table.note);
        *entry = e;
        PrintPersonTableRow(&table, row);
        chosen = true;
        break;
    }
    ClosePersonTable(&table);
    CloseChooserWindow(&w);
    return chosen;
}
