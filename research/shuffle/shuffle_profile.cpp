// The data-quality profile of an event group.

#include "research/shuffle/shuffle_profile.h"

#include <algorithm>
#include <cstring>

// Floor division, so that the years 1..9 and -9..-1 fall into different decades.
static int decade_of(int year) { return (year >= 0 ? year : year - 9) / 10 * 10; }

// Orders members by date, clock time and place so that identical rows lie side by side.
static bool same_moment_and_place(const PersonRecord& a, const PersonRecord& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second &&
           a.longitudeDegrees == b.longitudeDegrees &&
           a.longitudeMinutes == b.longitudeMinutes && a.latitudeDegrees == b.latitudeDegrees &&
           a.latitudeMinutes == b.latitudeMinutes && std::strcmp(a.place, b.place) == 0;
}

static bool before(const PersonRecord& a, const PersonRecord& b) {
    const int ka[] = {a.year, a.month, a.day, a.hour, a.minute, a.second, a.longitudeDegrees,
                      a.longitudeMinutes, a.latitudeDegrees, a.latitudeMinutes};
    const int kb[] = {b.year, b.month, b.day, b.hour, b.minute, b.second, b.longitudeDegrees,
                      b.longitudeMinutes, b.latitudeDegrees, b.latitudeMinutes};
    for (int i = 0; i < 10; ++i)
        if (ka[i] != kb[i]) return ka[i] < kb[i];
    return std::strcmp(a.place, b.place) < 0;
}

void MakeShuffleProfile(const ShuffleMember* members, const ShuffleRowZone* zones, int count,
                        ShuffleProfile* profile) {
    *profile = ShuffleProfile{};
    profile->members = count;
    if (count <= 0) return;
    profile->firstYear = profile->lastYear = members[0].record.year;
    std::vector<int> order(count);
    for (int k = 0; k < count; ++k) {
        const PersonRecord& r = members[k].record;
        profile->firstYear = std::min(profile->firstYear, r.year);
        profile->lastYear = std::max(profile->lastYear, r.year);
        if (r.minute == 0 && r.second == 0) ++profile->fullHour;
        if (r.minute == 30 && r.second == 0) ++profile->halfHour;
        if (zones[k].checked) ++profile->zoneChecked;
        if (zones[k].disagrees) ++profile->zoneDisagrees;
        if (zones[k].localMeanTime) ++profile->localMeanTime;
        order[k] = k;
    }
    profile->firstDecade = decade_of(profile->firstYear);
    profile->perDecade.assign((decade_of(profile->lastYear) - profile->firstDecade) / 10 + 1, 0);
    for (int k = 0; k < count; ++k)
        ++profile->perDecade[(decade_of(members[k].record.year) - profile->firstDecade) / 10];
    std::sort(order.begin(), order.end(), [members](int a, int b) {
        return before(members[a].record, members[b].record);
    });
    for (int k = 1; k < count; ++k)
        if (same_moment_and_place(members[order[k]].record, members[order[k - 1]].record))
            ++profile->identical;
}
