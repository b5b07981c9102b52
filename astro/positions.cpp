#include "astro/positions.h"

#include "astro/houses.h"
#include "astro/julian.h"
#include "astro/moon.h"
#include "astro/orbital_elements.h"
#include "astro/planets.h"

void PlanetPositions(const PersonRecord& record, PositionRecord* positions)
{
    double julianDay, julianDayAtMidnight;
    RecordWorldTime(record, &julianDay, &julianDayAtMidnight);
    positions->julianDay = julianDay;

    const double siderealTime = LocalSiderealTime(julianDay, julianDayAtMidnight,
                                                  record.longitudeDegrees,
                                                  record.longitudeMinutes);
    positions->siderealTime = siderealTime;

    MoonPosition(julianDay, &positions->longitude[kMoon], &positions->latitude[kMoon]);

    const double centuriesSince1950 = (julianDay - kJulianDay1950) / 36525.0;
    PlanetsByElements(centuriesSince1950, positions->longitude, positions->latitude,
                      positions->dailyMotion);
    positions->longitude[kMeanLunarNode] = MeanLunarNode(centuriesSince1950);

    HouseCusps(siderealTime, record.latitudeDegrees, record.latitudeMinutes,
               &positions->longitude[kAscendant], &positions->longitude[kMidheaven],
               &positions->longitude[kImumCoeli]);

    // One turn at most either way brings every longitude but the node into [0, 360].
    for (int i = 0; i <= kMidheaven; ++i) {
        double& longitude = positions->longitude[i];
        if (longitude < 0.0) longitude += 360.0;
        if (longitude > 360.0) longitude -= 360.0;
    }
}
