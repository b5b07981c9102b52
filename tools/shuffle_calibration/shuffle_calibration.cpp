// Calibration and power of the shuffle test by simulation (issue 23).
//
// Null groups: n members with a real-looking spread of birth years (1880-1960, humped), dates
// otherwise uniform within the year, real European places with their IANA zones, clock times
// from a day curve with more births at night and in the early morning, rounded as registers
// round them (45 % to the full hour, 20 % to the half hour, 10 % to the quarter, the rest to
// the minute); zone and summer time from the tz database for the place, date and clock time,
// the nearest whole hours where the tz database has local mean time (with
// --mean-time-as-world-time 1 such rows are converted to world time and entered with zone 0,
// as the guide advises for local mean time). Nothing in such a group
// relates the date, the clock time and the place: under designs 1 and 2 at most 5 % of the runs
// (plus the sampling error) may show any quantity at family-wise p < 0.05. Design 3 compares the
// same groups with uniform moments of their period at one place and shows its artefacts.
//
// Planted effect: the same dates and places, but each member's clock time is chosen (at random
// among the minutes of its date that qualify) so that Mars stands within 10 degrees after its
// upper culmination at the member's place: the MC's longitude minus Mars's lies in [0, 10).
// Power: the share of runs that find the Mars-IC cell (row Mars, column IC) at family-wise
// p < 0.05 in at least one kind, and in H.
//
//   verivire-shuffle-calibration [--runs R] [--planted-runs P] [--n N] [--K K] [--designs 123]
//                                [--order O] [--replication-runs M] [--seed S]
//                                [--mean-time-as-world-time 1] [--planted-share F]
//                                [--planted-replication 1]
//   verivire-shuffle-calibration --dump DESIGN [--n N] [--K K] [--seed S]
//   verivire-shuffle-calibration --write-csv PATH [--n N] [--seed S] [--planted-share F]
//
// The first form prints the calibration table (Markdown) on standard output and one line per
// run on standard error. --dump prints every number of one run (with replication) in
// hexadecimal floating point, to compare builds (for example 1 and 2 OpenMP threads).
// --write-csv writes one planted group as a CSV table (ISO date-time with its UTC offset,
// decimal degrees, place), for a run of the module itself on it.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/time_zones.h"
#include "research/shuffle/shuffle_test.h"

namespace {

struct Place {
    const char* name;
    double longitude, latitude;  // decimal degrees, east and north positive
    const char* zone;
};

// Real places of Europe, with the zones of the tz database.
const Place kPlaces[] = {
    {"Berlin", 13.40, 52.52, "Europe/Berlin"},      {"Hamburg", 9.99, 53.55, "Europe/Berlin"},
    {"Muenchen", 11.58, 48.14, "Europe/Berlin"},    {"Koeln", 6.96, 50.94, "Europe/Berlin"},
    {"Leipzig", 12.37, 51.34, "Europe/Berlin"},     {"Paris", 2.35, 48.86, "Europe/Paris"},
    {"Lyon", 4.84, 45.76, "Europe/Paris"},          {"Marseille", 5.37, 43.30, "Europe/Paris"},
    {"Bordeaux", -0.58, 44.84, "Europe/Paris"},     {"Bruxelles", 4.35, 50.85, "Europe/Brussels"},
    {"Amsterdam", 4.90, 52.37, "Europe/Amsterdam"}, {"London", -0.13, 51.51, "Europe/London"},
    {"Manchester", -2.24, 53.48, "Europe/London"},  {"Dublin", -6.26, 53.35, "Europe/Dublin"},
    {"Wien", 16.37, 48.21, "Europe/Vienna"},        {"Zuerich", 8.54, 47.38, "Europe/Zurich"},
    {"Milano", 9.19, 45.46, "Europe/Rome"},         {"Roma", 12.50, 41.90, "Europe/Rome"},
    {"Napoli", 14.27, 40.85, "Europe/Rome"},        {"Madrid", -3.70, 40.42, "Europe/Madrid"},
    {"Barcelona", 2.17, 41.39, "Europe/Madrid"},    {"Lisboa", -9.14, 38.72, "Europe/Lisbon"},
    {"Praha", 14.42, 50.08, "Europe/Prague"},       {"Warszawa", 21.01, 52.23, "Europe/Warsaw"},
    {"Budapest", 19.04, 47.50, "Europe/Budapest"},  {"Stockholm", 18.07, 59.33, "Europe/Stockholm"},
    {"Oslo", 10.75, 59.91, "Europe/Oslo"},          {"Kobenhavn", 12.57, 55.68, "Europe/Copenhagen"},
    {"Helsinki", 24.94, 60.17, "Europe/Helsinki"},  {"Athina", 23.73, 37.98, "Europe/Athens"},
};
constexpr int kPlaceCount = sizeof kPlaces / sizeof kPlaces[0];

void SetCoordinates(double value, int* degrees, int* minutes) {
    // The program reads degrees + minutes / 60 with both carrying the sign.
    const double whole = std::trunc(value);
    *degrees = static_cast<int>(whole);
    *minutes = static_cast<int>(std::lround((value - whole) * 60.0));
}

// How rows of local mean time (offsets of the tz database that are not whole hours) are
// entered: with the nearest whole hours as zone and summer time (false), or converted to world
// time and entered with zone 0 and summer time 0, as the guide's section 4 advises (true).
bool g_meanTimeAsWorldTime = false;

ShuffleMember Member(int y, int mo, int d, int h, int mi, int placeIndex, int k) {
    const Place& place = kPlaces[placeIndex];
    ShuffleMember m{};
    std::snprintf(m.record.name, sizeof m.record.name, "M%d", k);
    m.record.year = y;
    m.record.month = mo;
    m.record.day = d;
    m.record.hour = h;
    m.record.minute = mi;
    SetCoordinates(place.longitude, &m.record.longitudeDegrees, &m.record.longitudeMinutes);
    SetCoordinates(place.latitude, &m.record.latitudeDegrees, &m.record.latitudeMinutes);
    std::snprintf(m.record.place, sizeof m.record.place, "%s", place.name);
    std::snprintf(m.zone, sizeof m.zone, "%s", place.zone);
    // Zone and summer time of the clock time at the place: the tz database's (a skipped or
    // repeated time read as the shuffle test reads it, with the offsets before the change).
    ZoneMoment moment;
    m.record.timeZone = 1;
    if (!LookUpClockTime(place.zone, y, mo, d, h, mi, 0, &moment)) return m;
    if (g_meanTimeAsWorldTime && !WholeHours(moment.before)) {
        const int offset = moment.before.standardSeconds + moment.before.summerSeconds;
        const double jd = JulianDay(y, mo, d, h, mi, 0, 0) - offset / 86400.0 + 0.5 / 1440.0;
        CalendarFromJulianDay(jd, &m.record.year, &m.record.month, &m.record.day, &m.record.hour,
                              &m.record.minute);
        m.record.timeZone = 0;
        m.record.summerTime = 0;
        return m;
    }
    m.record.timeZone = static_cast<int>(std::lround(moment.before.standardSeconds / 3600.0));
    m.record.summerTime = static_cast<int>(std::lround(moment.before.summerSeconds / 3600.0));
    return m;
}

// A birth year 1880..1960, humped (the mean of two uniform draws: a triangle peaking at 1920).
int BirthYear(std::mt19937_64& random) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    const double x = (u(random) + u(random)) / 2.0;
    return 1880 + static_cast<int>(x * 81.0);
}

// Minute of the day from a day curve (60 % uniform, 40 % around 04:00 with sd 3 h), rounded as
// registers round clock times.
int ClockMinute(std::mt19937_64& random) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    double minute;
    if (u(random) < 0.6) {
        minute = u(random) * 1440.0;
    } else {
        std::normal_distribution<double> night(240.0, 180.0);
        minute = std::fmod(night(random) + 1440.0 * 4, 1440.0);
    }
    const double r = u(random);
    const double step = r < 0.45 ? 60.0 : r < 0.65 ? 30.0 : r < 0.75 ? 15.0 : 1.0;
    int rounded = static_cast<int>(std::lround(minute / step) * step);
    return rounded % 1440;
}

struct Birth {
    int y, mo, d, place;
};

Birth RandomBirth(std::mt19937_64& random) {
    Birth b;
    b.y = BirthYear(random);
    int dayOfYear = static_cast<int>(random() % 365);  // 31 December of leap years left out
    b.mo = 1;
    while (dayOfYear >= DaysInMonth(b.y, b.mo)) dayOfYear -= DaysInMonth(b.y, b.mo++);
    b.d = dayOfYear + 1;
    b.place = static_cast<int>(random() % kPlaceCount);
    return b;
}

std::vector<ShuffleMember> NullGroup(int n, std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::vector<ShuffleMember> group;
    for (int k = 0; k < n; ++k) {
        const Birth b = RandomBirth(random);
        const int minute = ClockMinute(random);
        group.push_back(Member(b.y, b.mo, b.d, minute / 60, minute % 60, b.place, k));
    }
    return group;
}

// How far Mars has passed the MC, in ecliptic degrees 0..360.
double MarsPastMidheaven(const PersonRecord& record) {
    PositionRecord positions{};
    PlanetPositions(record, &positions);
    double d = positions.longitude[kMidheaven] - positions.longitude[kMars];
    while (d < 0.0) d += 360.0;
    while (d >= 360.0) d -= 360.0;
    return d;
}

// The same kind of dates and places; each clock time chosen among the minutes of its date at
// which Mars stands 0..10 degrees past the MC (for a share `share` of the members, drawn at
// random; the others have clock times as in the null groups).
std::vector<ShuffleMember> PlantedGroup(int n, std::uint64_t seed, double share) {
    std::mt19937_64 random(seed);
    std::vector<ShuffleMember> group;
    std::vector<int> minutes;
    std::uniform_real_distribution<double> u(0.0, 1.0);
    while (static_cast<int>(group.size()) < n) {
        const Birth b = RandomBirth(random);
        if (share < 1.0 && u(random) >= share) {
            const int minute = ClockMinute(random);
            group.push_back(Member(b.y, b.mo, b.d, minute / 60, minute % 60, b.place,
                                   static_cast<int>(group.size())));
            continue;
        }
        minutes.clear();
        // The day's offsets from noon for the search (one tz look-up per date); the member
        // chosen is checked again with the offsets of its own clock time.
        ShuffleMember m = Member(b.y, b.mo, b.d, 12, 0, b.place, 0);
        for (int minute = 0; minute < 1440; ++minute) {
            m.record.hour = minute / 60;
            m.record.minute = minute % 60;
            if (MarsPastMidheaven(m.record) < 10.0) minutes.push_back(minute);
        }
        if (minutes.empty()) continue;
        const int minute = minutes[random() % minutes.size()];
        ShuffleMember chosen = Member(b.y, b.mo, b.d, minute / 60, minute % 60, b.place,
                                      static_cast<int>(group.size()));
        if (MarsPastMidheaven(chosen.record) < 10.0) group.push_back(chosen);
    }
    return group;
}

struct Options {
    int runs = 200;
    int plantedRuns = 50;
    int replicationRuns = 40;
    int n = 200;
    int K = 1000;
    int order = 3;
    std::string designs = "123";
    std::uint64_t seed = 20261209;
    int dump = 0;
    double plantedShare = 1.0;
    bool plantedReplication = false;
    std::string csvPath;
};

ShuffleSettings Settings(const Options& o, ShuffleDesign design, const std::vector<ShuffleMember>& g,
                         std::uint64_t seed, bool replication) {
    ShuffleSettings s{};
    s.order = o.order;
    s.last = 10;
    for (int p = 0; p <= 10; ++p) s.weights[p] = 1.0;
    s.selfCorrelation = 1;
    s.design = design;
    s.controlGroups = o.K;
    s.replication = replication;
    int first = 9999, last = -9999;
    for (const ShuffleMember& m : g) {
        first = std::min(first, m.record.year);
        last = std::max(last, m.record.year);
    }
    // Design 3's period: the group's first to its last year, whole years, zone-1 clock time.
    s.jdStart = JulianDay(first, 1, 1, 0, 0, 0, 1);
    s.jdEnd = JulianDay(last + 1, 1, 1, 0, 0, 0, 1);
    s.seed = seed;
    s.bootstrapResamples = 1000;
    return s;
}

struct Tally {
    int runs = 0;
    int anyFamily = 0;       // runs with any quantity at pFamily < 0.05
    int anyQ = 0;            // runs with any q < 0.05
    double pShare = 0.0;     // sum over runs of the share of varying quantities at p < 0.05
    int marsIcAny = 0;       // Mars-IC at pFamily < 0.05 in at least one kind
    int marsIcH = 0;         // in H
    int marsIcReplicated = 0;  // Mars-IC found in half A and replicated in half B, any kind
    double found = 0.0, replicated = 0.0, expected = 0.0;
    long long fallbacks = 0, members = 0;
};

void Count(const ShuffleResult& r, Tally* t) {
    bool family = false, q = false, marsAny = false, marsReplicated = false;
    int varying = 0, low = 0;
    for (size_t k = 0; k < r.quantities.size(); ++k) {
        const ShuffleStatistic& st = r.statistics[k];
        const ShuffleQuantity& x = r.quantities[k];
        family = family || st.pFamily < 0.05;
        q = q || st.q < 0.05;
        if (st.controlSd > 0.0) {
            ++varying;
            low += st.p < 0.05;
        }
        if (x.row == kMars && x.column == kImumCoeli && st.replicated) marsReplicated = true;
        if (x.row == kMars && x.column == kImumCoeli && st.pFamily < 0.05) {
            marsAny = true;
            if (x.kind == kHarmonyKind) ++t->marsIcH;
        }
    }
    ++t->runs;
    t->anyFamily += family;
    t->anyQ += q;
    t->pShare += varying ? static_cast<double>(low) / varying : 0.0;
    t->marsIcAny += marsAny;
    t->marsIcReplicated += marsReplicated;
    t->found += r.foundInHalfA;
    t->replicated += r.replicatedCount;
    t->expected += r.expectedByChance;
    t->fallbacks += r.zoneFallbacks;
    t->members += r.controlMembers;
}

double StandardError(double share, int runs) {
    return runs > 0 ? std::sqrt(share * (1.0 - share) / runs) : 0.0;
}

const char* DesignName(int design) {
    return design == 1 ? "1 clock times recoupled"
           : design == 2 ? "2 dates, times and places shuffled"
                         : "3 random moments of a period";
}

int Dump(const Options& o) {
    std::vector<ShuffleMember> group = NullGroup(o.n, o.seed);
    ShuffleSettings s = Settings(o, static_cast<ShuffleDesign>(o.dump), group, o.seed, true);
    ShuffleResult r;
    if (!RunShuffleTest(s, group.data(), o.n, nullptr, &r)) return 1;
    for (size_t k = 0; k < r.quantities.size(); ++k) {
        const ShuffleStatistic& st = r.statistics[k];
        std::printf("%d %d %d %a %a %a %a %a %a %a %a %a %a %a %a %d\n", r.quantities[k].kind,
                    r.quantities[k].row, r.quantities[k].column, st.group, st.controlMean,
                    st.controlSd, st.z, st.p, st.q, st.pFamily, st.ciLow, st.ciHigh, st.pHalfA,
                    st.qHalfA, st.pHalfB, st.replicated ? 1 : 0);
    }
    std::printf("fallbacks %lld skipped %lld members %lld found %d replicated %d\n",
                r.zoneFallbacks, r.zoneSkippedOrRepeated, r.controlMembers, r.foundInHalfA,
                r.replicatedCount);
    return 0;
}

// A planted group as a table the program reads: the clock time with the offset of the member's
// zone and summer time, the coordinates as decimal degrees.
int WriteCsv(const Options& o) {
    std::vector<ShuffleMember> group = PlantedGroup(o.n, o.seed, o.plantedShare);
    std::FILE* file = std::fopen(o.csvPath.c_str(), "w");
    if (!file) return 1;
    std::fprintf(file, "NUM,NAME,DATE,PLACE,LON,LAT\n");
    for (size_t k = 0; k < group.size(); ++k) {
        const PersonRecord& r = group[k].record;
        const int offset = r.timeZone + r.summerTime;
        std::fprintf(file, "%zu,%s,%04d-%02d-%02d %02d:%02d:00%c%02d:00,%s,%.6f,%.6f\n", k + 1,
                     r.name, r.year, r.month, r.day, r.hour, r.minute, offset < 0 ? '-' : '+',
                     offset < 0 ? -offset : offset, r.place,
                     r.longitudeDegrees + r.longitudeMinutes / 60.0,
                     r.latitudeDegrees + r.latitudeMinutes / 60.0);
    }
    return std::fclose(file) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const char* v = argv[i + 1];
        if (a == "--runs") o.runs = std::atoi(v);
        else if (a == "--planted-runs") o.plantedRuns = std::atoi(v);
        else if (a == "--replication-runs") o.replicationRuns = std::atoi(v);
        else if (a == "--n") o.n = std::atoi(v);
        else if (a == "--K") o.K = std::atoi(v);
        else if (a == "--order") o.order = std::atoi(v);
        else if (a == "--designs") o.designs = v;
        else if (a == "--seed") o.seed = std::strtoull(v, nullptr, 10);
        else if (a == "--dump") o.dump = std::atoi(v);
        else if (a == "--write-csv") o.csvPath = v;
        else if (a == "--planted-share") o.plantedShare = std::atof(v);
        else if (a == "--planted-replication") o.plantedReplication = std::atoi(v) != 0;
        else if (a == "--mean-time-as-world-time") g_meanTimeAsWorldTime = std::atoi(v) != 0;
        else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (o.dump) return Dump(o);
    if (!o.csvPath.empty()) return WriteCsv(o);

    std::printf("| Design | null runs | share with any pFamily < 0.05 (SE) | share with any q < 0.05 | "
                "mean share of p < 0.05 | planted runs | power: Mars-IC at pFamily < 0.05, any "
                "kind (H) | K | n |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|\n");
    std::vector<std::string> replicationLines;
    for (char c : o.designs) {
        const int design = c - '0';
        if (design < 1 || design > 3) continue;
        Tally null, planted, replication, plantedReplicated;
        for (int run = 0; run < o.runs; ++run) {
            const std::uint64_t groupSeed = o.seed + 1000003ull * run;
            std::vector<ShuffleMember> group = NullGroup(o.n, groupSeed);
            ShuffleSettings s = Settings(o, static_cast<ShuffleDesign>(design), group,
                                         groupSeed ^ 0x5bd1e995u, run < o.replicationRuns);
            ShuffleResult r;
            RunShuffleTest(s, group.data(), o.n, nullptr, &r);
            Count(r, &null);
            if (run < o.replicationRuns) Count(r, &replication);
            std::fprintf(stderr, "design %d null %d: any pFamily %d/%d\n", design, run,
                         null.anyFamily, null.runs);
        }
        for (int run = 0; run < o.plantedRuns; ++run) {
            const std::uint64_t groupSeed = o.seed + 7000003ull * (run + 1);
            std::vector<ShuffleMember> group = PlantedGroup(o.n, groupSeed, o.plantedShare);
            ShuffleSettings s = Settings(o, static_cast<ShuffleDesign>(design), group,
                                         groupSeed ^ 0x5bd1e995u, o.plantedReplication);
            ShuffleResult r;
            RunShuffleTest(s, group.data(), o.n, nullptr, &r);
            Count(r, &planted);
            if (o.plantedReplication) Count(r, &plantedReplicated);
            std::fprintf(stderr, "design %d planted %d: Mars-IC found %d/%d\n", design, run,
                         planted.marsIcAny, planted.runs);
        }
        const double share = null.runs ? static_cast<double>(null.anyFamily) / null.runs : 0.0;
        const double shareQ = null.runs ? static_cast<double>(null.anyQ) / null.runs : 0.0;
        const double power = planted.runs ? static_cast<double>(planted.marsIcAny) / planted.runs : 0.0;
        const double powerH = planted.runs ? static_cast<double>(planted.marsIcH) / planted.runs : 0.0;
        std::printf("| %s | %d | %.3f (%.3f) | %.3f | %.4f | %d | %.2f (%.2f) | %d | %d |\n",
                    DesignName(design), null.runs, share, StandardError(share, null.runs), shareQ,
                    null.runs ? null.pShare / null.runs : 0.0, planted.runs, power, powerH, o.K,
                    o.n);
        if (replication.runs > 0) {
            char line[300];
            std::snprintf(line, sizeof line,
                          "| %s | %d | %.2f | %.2f | %.2f | %.2f | %.4f |", DesignName(design),
                          replication.runs, replication.found / replication.runs,
                          replication.replicated / replication.runs,
                          replication.expected / replication.runs,
                          static_cast<double>(replication.marsIcReplicated) / replication.runs,
                          null.members ? static_cast<double>(null.fallbacks) / null.members : 0.0);
            replicationLines.push_back(line);
        }
        if (plantedReplicated.runs > 0) {
            char line[300];
            std::snprintf(line, sizeof line, "| %s, planted (share %.2f) | %d | %.2f | %.2f | %.2f | %.2f | %.4f |",
                          DesignName(design), o.plantedShare, plantedReplicated.runs,
                          plantedReplicated.found / plantedReplicated.runs,
                          plantedReplicated.replicated / plantedReplicated.runs,
                          plantedReplicated.expected / plantedReplicated.runs,
                          static_cast<double>(plantedReplicated.marsIcReplicated) /
                              plantedReplicated.runs,
                          plantedReplicated.members
                              ? static_cast<double>(plantedReplicated.fallbacks) / plantedReplicated.members
                              : 0.0);
            replicationLines.push_back(line);
        }
        std::fflush(stdout);
    }
    if (!replicationLines.empty()) {
        std::printf("\n| Design | null runs with replication | found in half A per run | "
                    "replicated per run | expected by chance per run | runs with Mars-IC "
                    "replicated | control members with zone fallback |\n"
                    "|---|---|---|---|---|---|---|\n");
        for (const std::string& line : replicationLines) std::printf("%s\n", line.c_str());
    }
    return 0;
}
