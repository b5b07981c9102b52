// The chooser "Choose data" over a CSV table: the rows as the CSV reader reads them, a row
// chosen only when all its fields are usable. A CSV file is never written: entering, editing
// and deleting say that entries are saved into .dbf tables only.

#include "records/csv_chooser.h"

#include <cstdio>
#include <cstring>

#include "records/person_table.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/core/uxwindow.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/widgets/uxlistbox.h"

static const int kListNameWidth = 40;
static const int kListNameCut = 36;

static void fill_list(PersonTable* table, uxListBox* list) {
    int rows = PersonTableRows(table);
    for (int row = 0; row < rows; ++row) {
        PersonEntry e{};
        RowCheck check;
        ReadPersonTableRow(table, row, &e, &check);
        char who[2100], date[40], time[40];
        if (e.firstName[0]) std::snprintf(who, sizeof who, "%s %s", e.firstName, e.name);
        else std::snprintf(who, sizeof who, "%s", e.name);
        if (static_cast<int>(std::strlen(who)) > kListNameWidth)
            std::snprintf(who + kListNameCut, sizeof who - kListNameCut, "...");
        std::snprintf(date, sizeof date, "%2d.%2d.%4d", e.day, e.month, e.year);
        std::snprintf(time, sizeof time, "%2d:%02d:%02d", e.hour, e.minute, e.second);
        uxlistbox_add(list, "%-*s%-10s   %-10s%s", kListNameWidth, who, date, time, e.place);
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
    uxWindow win;
    uxwindow_create(&win, "Choose data,x=50%,y=50%,xs=600,ys=400,noquit,nosysmenu");
    uxListBox list;
    uxlistbox_create(&list, "x=50%,y=45%,xs=98%,ys=78%,font=6x13");
    uxBar bar;
    uxbar_create(&bar, "x=50%,xs=100%,y=90%");
    uxButton ok, add, edit, remove, cancel;
    uxbutton_create(&ok, "OK,x=10%,y=95%,xs=18%,default");
    uxbutton_create(&add, "Neu eingeben,x=30%,y=95%,xs=18%");
    uxbutton_create(&edit, "Bearbeiten,x=50%,y=95%,xs=18%");
    uxbutton_create(&remove, "L\xf6schen,x=70%,y=95%,xs=18%");
    uxbutton_create(&cancel, "Abbrechen,x=90%,y=95%,xs=18%");
    fill_list(&table, &list);
    uxlistbox_select(&list, 0);
    uxwidget_focus(&list.base);

    bool chosen = false;
    for (;;) {
        int ids[7] = {uxbutton_id(&ok),     uxbutton_id(&add),    uxbutton_id(&edit),
                      uxbutton_id(&remove), uxbutton_id(&cancel), list.base.id,
                      uxwindow_close_id(&win)};
        int id = uxWaitForEventList(7, ids);
        if (id == 0 || id == uxbutton_id(&cancel) || id == uxwindow_close_id(&win)) break;
        if (id == uxbutton_id(&add) || id == uxbutton_id(&edit) || id == uxbutton_id(&remove)) {
            ShowMessage("%s is a CSV file, which the program only reads. Entries are saved into "
                        ".dbf tables only.", file_name(path));
            continue;
        }
        int row = uxlistbox_selected(&list);
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
    uxbutton_destroy(&cancel);
    uxbutton_destroy(&remove);
    uxbutton_destroy(&edit);
    uxbutton_destroy(&add);
    uxbutton_destroy(&ok);
    uxbar_destroy(&bar);
    uxlistbox_destroy(&list);
    uxwindow_destroy(&win);
    return chosen;
}
