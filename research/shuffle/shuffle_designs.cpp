// Control members of the three designs: permutations of the group's own dates, clock times
// and places, or moments of a period at the Matrix probability's fixed place.

#include "research/shuffle/shuffle_designs.h"

#include <cstring>
#include <string>

#include "astro/julian.h"
#include "astro/time_zones.h"

namespace {

enum DayState : std::int8_t {
    kNotLookedUp = 0,
    kSameAllDay = 1,     // whole-hour offsets that hold from 00:00:00 to 23:59:59
    kNotWholeHours = 2,  // the same offsets all day, but not whole hours (local mean time...)
    kChangeDay = 3,      // the offsets change on this day: every clock time is looked up
};

void PrepareZoneDays(const ShuffleMember* members, int count, ZoneDays* days) {
    std::vector<std::string> names;
    days->rowZone.assign(count, -1);
    for (int r = 0; r < count; ++r) {
        char zone[sizeof members[r].zone + 1];
        std::memcpy(zone, members[r].zone, sizeof members[r].zone);
        zone[sizeof members[r].zone] = '\0';
        if (!zone[0]) continue;
        int found = -1;
        for (size_t z = 0; z < names.size(); ++z)
            if (names[z] == zone) found = static_cast<int>(z);
        if (found < 0) {
            names.push_back(zone);
            found = static_cast<int>(names.size()) - 1;
        }
        days->rowZone[r] = found;
    }
    // Names the tz database does not know count as none.
    std::vector<int> known(names.size());
    for (size_t z = 0; z < names.size(); ++z) known[z] = TimeZoneKnown(names[z].c_str()) ? 1 : 0;
    for (int r = 0; r < count; ++r)
        if (days->rowZone[r] >= 0 && !known[days->rowZone[r]]) days->rowZone[r] = -1;
    days->zones = static_cast<int>(names.size());
    const size_t cells = static_cast<size_t>(days->zones) * static_cast<size_t>(count);
    days->state.assign(cells, kNotLookedUp);
    days->standardHours.assign(cells, 0);
    days->summerHours.assign(cells, 0);
}

bool SameOffsets(const ZoneOffsets& a, const ZoneOffsets& b) {
    return a.standardSeconds == b.standardSeconds && a.summerSeconds == b.summerSeconds;
}

// The day's state in `zone` for the date of `record`.
void LookUpDay(const char* zone, const PersonRecord& date, ZoneDays* days, size_t cell) {
    ZoneMoment first, last;
    const bool ok =
        LookUpClockTime(zone, date.year, date.month, date.day, 0, 0, 0, &first) &&
        LookUpClockTime(zone, date.year, date.month, date.day, 23, 59, 59, &last);
    if (ok && first.kind == ClockTimeKind::Unique && last.kind == ClockTimeKind::Unique &&
        SameOffsets(first.before, last.before)) {
        if (WholeHours(first.before)) {
            days->state[cell] = kSameAllDay;
            days->standardHours[cell] = static_cast<std::int8_t>(first.before.standardSeconds / 3600);
            days->summerHours[cell] = static_cast<std::int8_t>(first.before.summerSeconds / 3600);
        } else {
            days->state[cell] = kNotWholeHours;
        }
    } else {
        days->state[cell] = kChangeDay;
    }
}

}  // namespace

static DesignDrawer::Place place_of(const PersonRecord& r) {
    return {r.longitudeDegrees, r.longitudeMinutes, r.latitudeDegrees, r.latitudeMinutes};
}

void StartDesign(const ShuffleSettings& settings, const ShuffleMember* members, int count,
                 DesignDrawer* drawer) {
    drawer->design = settings.design;
    drawer->members = members;
    drawer->count = count;
    drawer->zoneFallbacks = 0;
    drawer->skippedOrRepeated = 0;
    // The period's reading and fixed place are the Matrix probability's (one group of one
    // member: the moment is JD_start + u (JD_end - JD_start)).
    StartControlGroups(&drawer->period, settings.order, settings.last, settings.jdStart,
                       settings.jdEnd, 1, 1);
    drawer->dates.assign(count, 0);
    drawer->times.assign(count, 0);
    drawer->places.assign(count, 0);
    drawer->placeOf.resize(count);
    for (int i = 0; i < count; ++i) drawer->placeOf[i] = place_of(members[i].record);
    if (settings.design == kDatesTimesPlacesShuffled)
        PrepareZoneDays(members, count, &drawer->zoneDays);
}

void ControlZone(DesignDrawer* drawer, int dateRow, int hour, int minute, int second,
                 int placeRow, int* timeZone, int* summerTime) {
    ZoneDays& days = drawer->zoneDays;
    const PersonRecord& date = drawer->members[dateRow].record;
    const PersonRecord& place = drawer->members[placeRow].record;
    const int zone = days.rowZone.empty() ? -1 : days.rowZone[placeRow];
    if (zone >= 0) {
        const char* name = drawer->members[placeRow].zone;
        char zoneName[sizeof drawer->members[placeRow].zone + 1];
        std::memcpy(zoneName, name, sizeof drawer->members[placeRow].zone);
        zoneName[sizeof drawer->members[placeRow].zone] = '\0';
        const bool inDay = hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 &&
                           second >= 0 && second <= 59;
        const size_t cell = static_cast<size_t>(zone) * drawer->count + dateRow;
        if (inDay && days.state[cell] == kNotLookedUp) LookUpDay(zoneName, date, &days, cell);
        if (inDay && days.state[cell] == kSameAllDay) {
            *timeZone = days.standardHours[cell];
            *summerTime = days.summerHours[cell];
            return;
        }
        if (!inDay || days.state[cell] == kChangeDay) {
            ZoneMoment moment;
            if (LookUpClockTime(zoneName, date.year, date.month, date.day, hour, minute, second,
                                &moment) &&
                WholeHours(moment.before)) {
                if (moment.kind != ClockTimeKind::Unique) ++drawer->skippedOrRepeated;
                *timeZone = moment.before.standardSeconds / 3600;
                *summerTime = moment.before.summerSeconds / 3600;
                return;
            }
        }
    }
    ++drawer->zoneFallbacks;
    *timeZone = place.timeZone;
    *summerTime = place.summerTime;
}

void DrawControlGroup(DesignDrawer* drawer, ShuffleEngine& engine, const int* rows, int m,
                      ControlDraw* draws) {
    const ShuffleMember* members = drawer->members;
    switch (drawer->design) {
    case kClockTimesRecoupled: {
        int* pi = drawer->times.data();
        RandomPermutation(engine, m, pi);
        for (int k = 0; k < m; ++k) {
            const PersonRecord& own = members[rows[k]].record;
            const PersonRecord& clock = members[rows[pi[k]]].record;
            draws[k] = {own.year,      own.month,    own.day,         clock.hour,   clock.minute,
                        clock.second,  own.timeZone, own.summerTime,  rows[k]};
        }
        break;
    }
    case kDatesTimesPlacesShuffled: {
        int* pd = drawer->dates.data();
        int* pt = drawer->times.data();
        int* pp = drawer->places.data();
        RandomPermutation(engine, m, pd);
        RandomPermutation(engine, m, pt);
        RandomPermutation(engine, m, pp);
        for (int k = 0; k < m; ++k) {
            const int dateRow = rows[pd[k]], placeRow = rows[pp[k]];
            const PersonRecord& date = members[dateRow].record;
            const PersonRecord& clock = members[rows[pt[k]]].record;
            ControlDraw& d = draws[k];
            d = {date.year, date.month, date.day, clock.hour, clock.minute, clock.second, 0, 0,
                 placeRow};
            ControlZone(drawer, dateRow, d.hour, d.minute, d.second, placeRow, &d.timeZone,
                        &d.summerTime);
        }
        break;
    }
    case kRandomMomentsOfPeriod:
    default: {
        const ControlGroupSampler& period = drawer->period;
        for (int k = 0; k < m; ++k) {
            const double t = period.jdStart + UniformUnit(engine) * period.moments * period.increment;
            ControlDraw& d = draws[k];
            CalendarFromJulianDay(t, &d.year, &d.month, &d.day, &d.hour, &d.minute);
            d.second = 0;
            d.timeZone = period.record.timeZone;
            d.summerTime = period.record.summerTime;
            d.placeRow = -1;
        }
        break;
    }
    }
}

void ControlRecord(const DesignDrawer& drawer, const ControlDraw& draw, PersonRecord* record) {
    const DesignDrawer::Place place = draw.placeRow >= 0 ? drawer.placeOf[draw.placeRow]
                                                         : place_of(drawer.period.record);
    record->name[0] = record->firstName[0] = record->place[0] = '\0';
    record->summerTime = draw.summerTime;
    record->hour = draw.hour;
    record->minute = draw.minute;
    record->second = draw.second;
    record->year = draw.year;
    record->month = draw.month;
    record->day = draw.day;
    record->longitudeDegrees = place.longitudeDegrees;
    record->longitudeMinutes = place.longitudeMinutes;
    record->latitudeDegrees = place.latitudeDegrees;
    record->latitudeMinutes = place.latitudeMinutes;
    record->timeZone = draw.timeZone;
}
