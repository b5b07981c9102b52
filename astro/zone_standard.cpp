// The zone lines of the tz database's source text "tzdata.zi" (in the zoneinfo directory, or
// TZDIR), read once: per zone the standard offset of each line and the clock time until which
// the line holds.

#include "astro/zone_standard.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <strings.h>
#include <vector>

namespace {

struct ZoneLine {
    long long until;  // local clock time as year*1e8 + month*1e6 + day*1e4 + hour*100; max = none
    int standard;     // seconds east
};

struct Source {
    bool read = false;
    std::map<std::string, std::vector<ZoneLine>> zones;
    std::map<std::string, std::string> links;  // link name -> target
};

Source gSource;

// "1", "-0:25:21", "0:9:21", "2s" (a suffix is ignored): seconds.
int clock_seconds(const std::string& text) {
    const char* p = text.c_str();
    int sign = 1;
    if (*p == '-') sign = -1, ++p;
    int parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        parts[i] = std::atoi(p);
        while (*p >= '0' && *p <= '9') ++p;
        if (*p != ':') break;
        ++p;
    }
    return sign * (parts[0] * 3600 + parts[1] * 60 + parts[2]);
}

int month_number(const std::string& text) {
    static const char* const names[] = {"January", "February", "March",     "April",
                                        "May",     "June",     "July",      "August",
                                        "September", "October", "November", "December"};
    for (int m = 0; m < 12; ++m)
        if (!text.empty() && strncasecmp(names[m], text.c_str(), text.size()) == 0) return m + 1;
    return 1;
}

// "lastSu" (taken as the 25th), "Su>=8", "Sun<=25" or a number.
int day_number(const std::string& text) {
    if (text.compare(0, 4, "last") == 0) return 25;
    size_t rel = text.find_first_of("<>");
    return std::atoi(rel == std::string::npos ? text.c_str() : text.c_str() + rel + 2);
}

long long until_key(const std::vector<std::string>& f, size_t from) {
    if (from >= f.size()) return 0x7fffffffffffffffLL;
    long long year = std::atoll(f[from].c_str());
    int month = from + 1 < f.size() ? month_number(f[from + 1]) : 1;
    int day = from + 2 < f.size() ? day_number(f[from + 2]) : 1;
    int hour = from + 3 < f.size() ? clock_seconds(f[from + 3]) / 3600 : 0;
    return year * 100000000LL + month * 1000000LL + day * 10000LL + hour * 100LL;
}

void read_source() {
    gSource.read = true;
    const char* dir = std::getenv("TZDIR");
    std::string path = std::string(dir && dir[0] ? dir : "/usr/share/zoneinfo") + "/tzdata.zi";
    std::FILE* file = std::fopen(path.c_str(), "r");
    if (!file) return;
    char buffer[1024];
    std::vector<ZoneLine>* zone = nullptr;
    while (std::fgets(buffer, sizeof buffer, file)) {
        std::istringstream in(buffer);
        std::vector<std::string> f;
        for (std::string word; in >> word;) f.push_back(word);
        if (f.empty() || f[0][0] == '#') continue;
        size_t from;  // first field of STDOFF RULES FORMAT [UNTIL]
        if (f[0] == "Z" && f.size() >= 5) {
            zone = &gSource.zones[f[1]];
            from = 2;
        } else if (f[0] == "L" && f.size() >= 3) {
            gSource.links[f[2]] = f[1];
            zone = nullptr;
            continue;
        } else if (zone && (f[0][0] == '-' || (f[0][0] >= '0' && f[0][0] <= '9')) && f.size() >= 3) {
            from = 0;
        } else {
            zone = nullptr;
            continue;
        }
        zone->push_back({until_key(f, from + 3), clock_seconds(f[from])});
    }
    std::fclose(file);
}

}  // namespace

bool ZoneStandardOffset(const char* zone, int year, int month, int day, int hour, int* seconds) {
    if (!gSource.read) read_source();
    std::string name = zone ? zone : "";
    for (int hops = 0; hops < 4; ++hops) {
        auto link = gSource.links.find(name);
        if (link == gSource.links.end()) break;
        name = link->second;
    }
    auto found = gSource.zones.find(name);
    if (found == gSource.zones.end()) return false;
    long long key = year * 100000000LL + month * 1000000LL + day * 10000LL + hour * 100LL;
    for (const ZoneLine& line : found->second)
        if (key < line.until) {
            *seconds = line.standard;
            return true;
        }
    return false;
}
