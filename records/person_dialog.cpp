// The data-entry dialog "Daten bearbeiten / eingeben": names, date, clock time, summer time,
// place with its lookup in the place table, coordinates and time zone. Once a place from the
// table is known, zone and summer time are proposed from the tz database for the entered clock
// time, and one line under the controls says where they came from.

#include "records/persons.h"

#include <cstdio>
#include <cstring>

#include "astro/time_zones.h"
#include "records/places.h"
#include "records/summer_times.h"
#include "toolkit/widgets/uxbutton.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxlineinput.h"
#include "toolkit/core/uxwindow.h"

static const int kYearMinimum = 1800;
static const int kYearMaximum = 3000;

// Return in the place input starts the lookup: the line input itself only moves the focus on,
// so its key handler is wrapped and Return posts the input's own id instead.
static bool (*gLineInputHandle)(uxWidget* w, const uxEvent* ev) = nullptr;

static bool place_input_handle(uxWidget* w, const uxEvent* ev) {
    if (ev->code == UXEV_KEYDOWN && ev->data[0] == UXKEY_RETURN) {
        uxwidget_trigger(w);
        return true;
    }
    return gLineInputHandle ? gLineInputHandle(w, ev) : false;
}

// Every widget of the dialog; labels in the order they are created.
struct PersonDialog {
    uxWindow window;
    uxBar bar;
    uxLabel labels[21];
    uxLineInput name, firstName, place;
    uxUpDownControl day, year, hour, minute, second, summerTime;
    uxComboBox month;
    uxUpDownControl longitudeDegrees, longitudeMinutes, latitudeDegrees, latitudeMinutes, timeZone;
    uxButton ok, cancel, summerTimes;
    uxLabel source;  // where zone and summer time came from
    int labelCount = 0;
    char placeZone[64] = "";  // IANA zone of the place found in the table, else empty
    bool placeFromTable = false;
    // The last proposal: for which clock time, and the values it put into the controls.
    bool proposed = false;
    int clock[6] = {};
    int proposedZone = 0, proposedSummer = 0;
};

static void add_label(PersonDialog* d, const char* properties) {
    uxlabel_create(&d->labels[d->labelCount++], "%s", properties);
}

// Years outside the dialog's usual range (births before 1800) must not be clamped away when
// an existing row is edited, so the range widens to take them.
static void build(PersonDialog* d, const PersonEntry* entry, bool isNew) {
    int yearMin = kYearMinimum, yearMax = kYearMaximum;
    if (!isNew && entry->year < yearMin) yearMin = entry->year;
    if (!isNew && entry->year > yearMax) yearMax = entry->year;

    uxwindow_create(&d->window, "Daten bearbeiten / eingeben,x=50%,y=50%,xs=400,ys=600,modal,nosysmenu,noquit");
    uxbar_create(&d->bar, "x=50%,xs=100%,y=90%");
    add_label(d, "Name:,x=10%,y=10%");
    uxlineinput_create(&d->name, "x=60%,y=10%,xs=60%");
    add_label(d, "Vorname:,x=10%,y=20%");
    uxlineinput_create(&d->firstName, "x=60%,y=20%,xs=60%");
    add_label(d, "Datum:,x=10%,y=30%");
    uxupdown_create(&d->day, "x=35%,y=30%,xs=10%,min=1,max=31");
    add_label(d, ".,x=42%,y=30%,font=6x13");
    uxcombobox_create(&d->month, "x=60%,y=30%,xs=25%,entries=Januar|Februar|M\xe4rz|April|Mai|Juni|Juli|"
                                 "August|September|Oktober|November|Dezember");
    uxupdown_create(&d->year, "x=84%,y=30%,xs=12%,min=%d,max=%d,start=2000", yearMin, yearMax);
    add_label(d, "Zeit:,x=10%,y=40%");
    uxupdown_create(&d->hour, "x=35%,y=40%,xs=10%,min=0,max=23,start=12,digits=2");
    add_label(d, ":,x=42.5%,y=40%,font=6x13");
    uxupdown_create(&d->minute, "x=51%,y=40%,xs=10%,min=0,max=59,start=0,digits=2");
    add_label(d, ":,x=58.5%,y=40%,font=6x13");
    uxupdown_create(&d->second, "x=67%,y=40%,xs=10%,min=0,max=59,start=0,digits=2");
    add_label(d, "(sec),x=80%,y=40%");  // apart from the seconds field
    add_label(d, "Sommerzeit:,x=10%,y=50%");
    uxupdown_create(&d->summerTime, "x=35%,y=50%,xs=10%,min=-24,max=24,start=0");
    add_label(d, "Ort:,x=10%,y=60%");
    uxlineinput_create(&d->place, "x=60%,y=60%,xs=60%");
    uxbutton_create(&d->ok, "&OK,x=20%,y=95%,xs=30%");
    uxbutton_create(&d->cancel, "&Abbrechen,x=80%,y=95%,xs=30%");
    // wide enough for its caption
    uxbutton_create(&d->summerTimes, "Erl\xe4uterungen zur Sommerzeit,x=69%,y=50%,xs=48%");
    add_label(d, "L\xe4nge:,x=15%,y=68%");
    uxupdown_create(&d->longitudeDegrees, "x=35%,y=68%,xs=10%,min=-360,max=360");
    add_label(d, "\xb0,x=41%,y=68%,font=6x13");
    uxupdown_create(&d->longitudeMinutes, "x=50%,y=68%,xs=10%,min=-360,max=360");
    add_label(d, "\",x=57%,y=68%,font=6x13");
    add_label(d, "Breite:,x=15%,y=76%");
    uxupdown_create(&d->latitudeDegrees, "x=35%,y=76%,xs=10%,min=-360,max=360");
    add_label(d, "\xb0,x=41%,y=76%,font=6x13");
    uxupdown_create(&d->latitudeMinutes, "x=50%,y=76%,xs=10%,min=-360,max=360");
    add_label(d, "\",x=57%,y=76%,font=6x13");
    add_label(d, "Zeitzone:,x=15%,y=84%");
    uxupdown_create(&d->timeZone, "x=35%,y=84%,xs=10%,min=-24,max=24");
    uxlabel_create(&d->source, ",x=50%,y=87.5%,xs=98%");

    gLineInputHandle = d->place.base.handle;
    d->place.base.handle = place_input_handle;
}

static void destroy(PersonDialog* d) {
    uxlabel_destroy(&d->source);
    uxupdown_destroy(&d->timeZone);
    uxupdown_destroy(&d->latitudeMinutes);
    uxupdown_destroy(&d->latitudeDegrees);
    uxupdown_destroy(&d->longitudeMinutes);
    uxupdown_destroy(&d->longitudeDegrees);
    uxbutton_destroy(&d->summerTimes);
    uxbutton_destroy(&d->cancel);
    uxbutton_destroy(&d->ok);
    uxlineinput_destroy(&d->place);
    uxupdown_destroy(&d->summerTime);
    uxupdown_destroy(&d->second);
    uxupdown_destroy(&d->minute);
    uxupdown_destroy(&d->hour);
    uxupdown_destroy(&d->year);
    uxcombobox_destroy(&d->month);
    uxupdown_destroy(&d->day);
    uxlineinput_destroy(&d->firstName);
    uxlineinput_destroy(&d->name);
    for (int i = d->labelCount - 1; i >= 0; --i) uxlabel_destroy(&d->labels[i]);
    uxbar_destroy(&d->bar);
    uxwindow_destroy(&d->window);
}

static void fill_from_entry(PersonDialog* d, const PersonEntry* entry) {
    uxlineinput_set_text(&d->name, entry->name);
    uxlineinput_set_text(&d->firstName, entry->firstName);
    uxupdown_set_value(&d->day, entry->day);
    if (entry->month >= 1 && entry->month <= 12) uxcombobox_select(&d->month, entry->month - 1);
    uxupdown_set_value(&d->year, entry->year);
    uxupdown_set_value(&d->hour, entry->hour);
    uxupdown_set_value(&d->minute, entry->minute);
    uxupdown_set_value(&d->second, entry->second);
    uxupdown_set_value(&d->summerTime, entry->summerTime);
    uxupdown_set_value(&d->timeZone, entry->timeZone);
    uxlineinput_set_text(&d->place, entry->place);
    uxupdown_set_value(&d->longitudeDegrees, entry->longitudeDegrees);
    uxupdown_set_value(&d->longitudeMinutes, entry->longitudeMinutes);
    uxupdown_set_value(&d->latitudeDegrees, entry->latitudeDegrees);
    uxupdown_set_value(&d->latitudeMinutes, entry->latitudeMinutes);
}

static void show_place(PersonDialog* d, const FoundPlace* place) {
    uxlineinput_set_text(&d->place, place->name);
    uxupdown_set_value(&d->timeZone, place->timeZone);
    uxupdown_set_value(&d->longitudeDegrees, place->longitudeDegrees);
    uxupdown_set_value(&d->longitudeMinutes, place->longitudeMinutes);
    uxupdown_set_value(&d->latitudeDegrees, place->latitudeDegrees);
    uxupdown_set_value(&d->latitudeMinutes, place->latitudeMinutes);
}

static void read_place(PersonDialog* d, FoundPlace* place) {
    uxlineinput_get_text(&d->place, place->name, sizeof place->name);
    place->zone[0] = '\0';
    place->timeZone = uxupdown_get_value(&d->timeZone);
    place->longitudeDegrees = uxupdown_get_value(&d->longitudeDegrees);
    place->longitudeMinutes = uxupdown_get_value(&d->longitudeMinutes);
    place->latitudeDegrees = uxupdown_get_value(&d->latitudeDegrees);
    place->latitudeMinutes = uxupdown_get_value(&d->latitudeMinutes);
}

// The clock time of the controls: year, month, day, hour, minute, second.
static void read_clock(PersonDialog* d, int clock[6]) {
    clock[0] = uxupdown_get_value(&d->year);
    clock[1] = uxcombobox_selected(&d->month) + 1;
    clock[2] = uxupdown_get_value(&d->day);
    clock[3] = uxupdown_get_value(&d->hour);
    clock[4] = uxupdown_get_value(&d->minute);
    clock[5] = uxupdown_get_value(&d->second);
}

// Characters the source line shows whole at the dialog's width in its font.
static const int kSourceLineFits = 64;

static void set_source_line(PersonDialog* d, const char* text) {
    uxlabel_set_text(&d->source, text);
}

static void forget_place(PersonDialog* d) {
    d->placeZone[0] = '\0';
    d->placeFromTable = false;
    d->proposed = false;
    set_source_line(d, "");
}

static void remember_place(PersonDialog* d, const FoundPlace* place) {
    std::snprintf(d->placeZone, sizeof d->placeZone, "%s", place->zone);
    d->placeFromTable = true;
    d->proposed = false;
}

// Zone and summer time of the place's clock time from the tz database. Offsets that are not
// whole hours (local mean time, India, Iran) leave the controls as they are: the line names the
// offset and says to enter the moment as local mean time is entered (in world time, zone 0).
// Of a skipped or repeated clock time the reading before the change is proposed.
static void propose_zone(PersonDialog* d) {
    if (!d->placeFromTable) return;
    char line[200];
    if (!d->placeZone[0]) {
        set_source_line(d, "orte.dbf ohne Zeitzonen: l\xf6" "schen, sie wird neu erstellt");
        return;
    }
    int clock[6];
    read_clock(d, clock);
    ZoneMoment moment;
    if (!LookUpClockTime(d->placeZone, clock[0], clock[1], clock[2], clock[3], clock[4], clock[5], &moment)) {
        std::snprintf(line, sizeof line, "Zone %s fehlt in der tz-Datenbank", d->placeZone);
        set_source_line(d, line);
        d->proposed = false;
        return;
    }
    const ZoneOffsets& o = moment.before;
    if (!WholeHours(o)) {
        char offset[32];
        FormatOffset(o.standardSeconds + o.summerSeconds, offset, sizeof offset);
        std::snprintf(line, sizeof line, "tz-Datenbank %s, nicht ganzst\xfc" "ndig: wie Ortszeit eingeben", offset);
        set_source_line(d, line);
        d->proposed = false;
        return;
    }
    d->proposedZone = o.standardSeconds / 3600;
    d->proposedSummer = o.summerSeconds / 3600;
    uxupdown_set_value(&d->timeZone, d->proposedZone);
    uxupdown_set_value(&d->summerTime, d->proposedSummer);
    std::memcpy(d->clock, clock, sizeof d->clock);
    d->proposed = true;
    if (moment.kind == ClockTimeKind::Repeated)
        std::snprintf(line, sizeof line, "tz-Datenbank: doppelte Stunde, erste Sommerzeit %d, zweite %d",
                      d->proposedSummer, moment.after.summerSeconds / 3600);
    else if (moment.kind == ClockTimeKind::Skipped)
        std::snprintf(line, sizeof line, "tz-Datenbank: diese Uhrzeit gab es nicht (Uhren vorgestellt)");
    else if (std::snprintf(line, sizeof line, "Aus der tz-Datenbank: %s (%s: Zone %d, Sommerzeit %d)",
                           d->placeZone, o.abbreviation, d->proposedZone, d->proposedSummer) > kSourceLineFits)
        // A long zone name would not fit the dialog's line: the abbreviation and split say enough.
        std::snprintf(line, sizeof line, "Aus der tz-Datenbank: %s, Zone %d, Sommerzeit %d",
                      o.abbreviation, d->proposedZone, d->proposedSummer);
    set_source_line(d, line);
}

// True when the date or time changed after the last proposal while zone and summer time still
// hold the proposed values: they are then proposed again for the new clock time.
static bool proposal_outdated(PersonDialog* d) {
    if (!d->proposed) return false;
    int clock[6];
    read_clock(d, clock);
    return std::memcmp(clock, d->clock, sizeof clock) != 0 &&
           uxupdown_get_value(&d->timeZone) == d->proposedZone &&
           uxupdown_get_value(&d->summerTime) == d->proposedSummer;
}

// Return in the place input: the found place fills the place controls and, from the tz
// database, zone and summer time; otherwise they are cleared and the input keeps the focus for
// another try.
static void look_up_place(PersonDialog* d) {
    FoundPlace place;
    char text[sizeof place.name];
    uxlineinput_get_text(&d->place, text, sizeof text);
    if (FindPlace(text, &place)) {
        show_place(d, &place);
        remember_place(d, &place);
        propose_zone(d);
        return;
    }
    forget_place(d);
    uxupdown_set_value(&d->timeZone, 0);
    uxupdown_set_value(&d->longitudeDegrees, 0);
    uxupdown_set_value(&d->longitudeMinutes, 0);
    uxupdown_set_value(&d->latitudeDegrees, 0);
    uxupdown_set_value(&d->latitudeMinutes, 0);
    uxwidget_focus(&d->place.base);
}

// "&OK": coordinates given by hand are kept; with both degrees 0 the place must be found, and
// zone and summer time then come from the tz database. A proposal made for another date or
// time is renewed first, and the dialog stays open when that changes the values, so that the
// user sees them before confirming.
static bool confirm(PersonDialog* d, PersonEntry* entry) {
    FoundPlace place;
    read_place(d, &place);
    if (place.longitudeDegrees == 0 && place.latitudeDegrees == 0) {
        char text[sizeof place.name];
        std::snprintf(text, sizeof text, "%s", place.name);
        if (!FindPlace(text, &place)) return false;
        show_place(d, &place);
        remember_place(d, &place);
        propose_zone(d);
        // an offset the controls cannot hold: the dialog stays open once to show the line
        if (d->placeZone[0] && !d->proposed) return false;
    } else if (proposal_outdated(d)) {
        int zone = d->proposedZone, summer = d->proposedSummer;
        propose_zone(d);
        if (!d->proposed || uxupdown_get_value(&d->timeZone) != zone ||
            uxupdown_get_value(&d->summerTime) != summer)
            return false;
    }
    place.timeZone = uxupdown_get_value(&d->timeZone);
    show_place(d, &place);
    uxlineinput_get_text(&d->name, entry->name, sizeof entry->name);
    uxlineinput_get_text(&d->firstName, entry->firstName, sizeof entry->firstName);
    entry->day = uxupdown_get_value(&d->day);
    entry->month = uxcombobox_selected(&d->month) + 1;
    entry->year = uxupdown_get_value(&d->year);
    entry->hour = uxupdown_get_value(&d->hour);
    entry->minute = uxupdown_get_value(&d->minute);
    entry->second = uxupdown_get_value(&d->second);
    entry->summerTime = uxupdown_get_value(&d->summerTime);
    entry->timeZone = place.timeZone;
    std::snprintf(entry->place, sizeof entry->place, "%s", place.name);
    entry->longitudeDegrees = place.longitudeDegrees;
    entry->longitudeMinutes = place.longitudeMinutes;
    entry->latitudeDegrees = place.latitudeDegrees;
    entry->latitudeMinutes = place.latitudeMinutes;
    return true;
}

bool PersonEntryDialog(PersonEntry* entry, bool isNew) {
    PersonDialog d;
    build(&d, entry, isNew);
    if (isNew) {
        // A date needs a month: without a choice the combo would give month 0.
        if (uxcombobox_selected(&d.month) < 0) uxcombobox_select(&d.month, 0);
        // Controls without a start value show their minimum (-360, -24): a new entry starts
        // at 0 instead, so that "&OK" looks the place up unless coordinates were typed.
        FoundPlace none = {};
        uxlineinput_get_text(&d.place, none.name, sizeof none.name);
        show_place(&d, &none);
    } else {
        fill_from_entry(&d, entry);
    }
    uxwidget_focus(&d.name.base);

    bool confirmed = false;
    for (;;) {
        int ids[5] = {uxbutton_id(&d.ok), uxbutton_id(&d.cancel), uxbutton_id(&d.summerTimes),
                      d.place.base.id, uxwindow_close_id(&d.window)};
        int id = uxWaitForEventList(5, ids);
        // Abbrechen returns to the caller; Escape or the close box cancel the running module.
        if (id != 0 && id == uxwindow_close_id(&d.window)) uxevent_cancel(d.window.title);
        if (id == 0 || id == uxbutton_id(&d.cancel) || id == uxwindow_close_id(&d.window)) break;
        if (id == d.place.base.id) {
            look_up_place(&d);
        } else if (id == uxbutton_id(&d.summerTimes)) {
            ShowSummerTimes();
        } else if (id == uxbutton_id(&d.ok) && confirm(&d, entry)) {
            confirmed = true;
            break;
        }
    }
    destroy(&d);
    return confirmed;
}
