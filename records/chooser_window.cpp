// The chooser window: its widgets in creation order, its wait and its list lines.

#include "records/chooser_window.h"

#include <cstdio>
#include <cstring>

#include "toolkit/core/uxevent.h"

static const int kListNameWidth = 40;
static const int kListNameCut = 36;

void OpenChooserWindow(ChooserWindow* w) {
    uxwindow_create(&w->win, "Choose data,x=50%,y=50%,xs=600,ys=400,noquit,nosysmenu");
    uxlistbox_create(&w->list, "x=50%,y=45%,xs=98%,ys=78%,font=6x13");
    uxbar_create(&w->bar, "x=50%,xs=100%,y=90%");
    uxbutton_create(&w->ok, "OK,x=10%,y=95%,xs=18%,default");
    uxbutton_create(&w->add, "Neu eingeben,x=30%,y=95%,xs=18%");
    uxbutton_create(&w->edit, "Bearbeiten,x=50%,y=95%,xs=18%");
    uxbutton_create(&w->remove, "L\xf6schen,x=70%,y=95%,xs=18%");
    uxbutton_create(&w->cancel, "Abbrechen,x=90%,y=95%,xs=18%");
}

void CloseChooserWindow(ChooserWindow* w) {
    uxbutton_destroy(&w->cancel);
    uxbutton_destroy(&w->remove);
    uxbutton_destroy(&w->edit);
    uxbutton_destroy(&w->add);
    uxbutton_destroy(&w->ok);
    uxbar_destroy(&w->bar);
    uxlistbox_destroy(&w->list);
    uxwindow_destroy(&w->win);
}

ChooserAction WaitInChooser(ChooserWindow* w) {
    int ids[7] = {uxbutton_id(&w->ok),     uxbutton_id(&w->add),    uxbutton_id(&w->edit),
                  uxbutton_id(&w->remove), uxbutton_id(&w->cancel), w->list.base.id,
                  uxwindow_close_id(&w->win)};
    int id = uxWaitForEventList(7, ids);
    if (id == 0) return ChooserAction::Leave;
    if (id == uxbutton_id(&w->cancel) || id == uxwindow_close_id(&w->win)) {
        uxevent_cancel(w->win.title);
        return ChooserAction::Leave;
    }
    if (id == uxbutton_id(&w->add)) return ChooserAction::Add;
    if (id == uxbutton_id(&w->edit)) return ChooserAction::Edit;
    if (id == uxbutton_id(&w->remove)) return ChooserAction::Remove;
    return ChooserAction::Choose;
}

void AddChooserLine(uxListBox* box, const char* first, const char* name, const char* date,
                    const char* time, const char* place) {
    char who[2100];
    if (first[0]) std::snprintf(who, sizeof who, "%s %s", first, name);
    else std::snprintf(who, sizeof who, "%s", name);
    if (static_cast<int>(std::strlen(who)) > kListNameWidth)
        std::snprintf(who + kListNameCut, sizeof who - kListNameCut, "...");
    uxlistbox_add(box, "%-*s%-10s   %-10s%s", kListNameWidth, who, date, time, place);
}
