#pragma once
// The two records the astronomy code works on: one person or event (input) and the positions
// computed for it (output). Plain structs; the field order is part of the interface.

// Principle indexes of PositionRecord::longitude.
enum PrincipleIndex {
    kSun = 0,
    kMoon = 1,
    kMercury = 2,
    kVenus = 3,
    kMars = 4,
    kJupiter = 5,
    kSaturn = 6,
    kUranus = 7,
    kNeptune = 8,
    kPluto = 9,
    kImumCoeli = 10,
    kAscendant = 11,
    kMidheaven = 12,
    kMeanLunarNode = 13,
};

// One person or event: names, local clock time, offsets and place.
struct PersonRecord {
    char name[50];       // surname, NUL-terminated
    char firstName[50];
    int summerTime;      // hours to subtract for summer time
    int hour;            // local clock time
    int minute;
    int second;
    int year;
    int month;
    int day;
    int longitudeDegrees;  // geographic longitude, east positive
    int longitudeMinutes;  // always added: value = degrees + minutes / 60
    int latitudeDegrees;   // geographic latitude, north positive
    int latitudeMinutes;   // always added, as for the longitude
    int timeZone;          // hours east of Greenwich
    char place[52];
};

// Positions of one moment. Fields that are not computed keep what the caller left in them.
struct PositionRecord {
    // Ecliptic longitudes in degrees, indexed by PrincipleIndex. 0..12 lie in [0, 360];
    // the mean lunar node (13) is reduced toward zero and lies in (-360, 360).
    double longitude[14];
    // Index 1 (Moon) in degrees, 2..9 (Mercury..Pluto) geocentric in radians; 0 unused.
    double latitude[10];
    // Geocentric motion in longitude, degrees per day, for 0 (Sun) and 2..9; 1 not computed.
    double dailyMotion[10];
    double julianDay;     // the moment in world time
    double siderealTime;  // local sidereal time, hours 0..24
};
