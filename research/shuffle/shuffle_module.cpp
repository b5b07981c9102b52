// Shuffle test - control groups: an event group against control groups built from the group
// itself (clock times recoupled, or dates, times and places shuffled), or from random moments of
// a period, with corrected significance, effect sizes and a replication in two halves.
//
// The dialogue asks everything first and reads and checks every row before anything is
// computed; the files are written only at the end, through the run's file bracket, so a run that
// stops leaves the files of the last good run as they were.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "astro/julian.h"
#include "records/person_rows.h"
#include "records/person_table.h"
#include "records/persons.h"
#include "records/table_check.h"
#include "research/correlation_dialogs.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "research/shuffle/shuffle_chart.h"
#include "research/shuffle/shuffle_report.h"
#include "research/shuffle/shuffle_run.h"
#include "shell/dialogs.h"
#include "shell/format_text.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "shell/run_record.h"
#include "toolkit/core/uxrandom.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/data/uxfile_digest.h"
#include "toolkit/data/uxxbase.h"
#include "toolkit/widgets/uxfiledialog.h"

static ShuffleRun run;

static const char kStopped[] = "\n The shuffle test stops; no file was written.\n";

static void utc_now(char text[32]) {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    gmtime_r(&now, &t);
    std::strftime(text, 32, "%Y-%m-%dT%H:%M:%SZ", &t);
}

const char* ShuffleTableName(const ShuffleRun& r) {
    const char* slash = std::strrchr(r.tablePath, '/');
    return slash ? slash + 1 : r.tablePath;
}

// ---- 1. order, IC, planets and self-correlation ------------------------------------------------

static bool in_range(const char* file, int value, int low, int high) {
    if (value >= low && value <= high) return true;
    Print("\n ERROR! The file %s holds %d (%d..%d expected). ERROR! \n", file, value, low, high);
    return false;
}

// The last Continuum's files; a file that is missing, short or holds a value the matrices cannot
// use is named and the run stops (its reader says on the terminal what was wrong).
static bool read_parameter_files() {
    ShuffleSettings& s = run.settings;
    int groupSize = 0;
    const char* bad = nullptr;
    if (!ReadInt(kOrderFile, &s.order) || !in_range(kOrderFile, s.order, 1, 12))
        bad = kOrderFile;
    else if (!ReadMatrixFormat(&s.last, &groupSize))
        bad = kMatrixFormatFile;
    else if (!ReadPlanetWeights(s.weights, s.last))
        bad = kPlanetWeightsFile;
    else if (!ReadInt(kSelfCorrelationFile, &s.selfCorrelation) ||
             !in_range(kSelfCorrelationFile, s.selfCorrelation, 0, 1))
        bad = kSelfCorrelationFile;
    if (!bad) return true;
    return RefuseModuleRun(kStopped,
                           "The file %s of the last Continuum is missing or cannot be used "
                           "(see the terminal).",
                           bad);
}

// The Continuum's own dialogs.
static bool ask_parameters() {
    ShuffleSettings& s = run.settings;
    s.order = AskCorrelationOrder();
    if (!ModuleGoesOn()) return false;
    const int withIc = AskWithIc();
    if (!ModuleGoesOn()) return false;
    s.last = withIc ? 10 : 9;
    double weights[12] = {};
    AskPlanetWeights(withIc, s.last, weights);
    if (!ModuleGoesOn()) return false;
    for (int p = 0; p <= s.last; ++p) s.weights[p] = weights[p];
    s.selfCorrelation = AskSelfCorrelation();
    return ModuleGoesOn();
}

static bool ask_correlation_settings() {
    int answer = InputYesNo("Take order, IC, planets and self-correlation from the last Continuum?", 1);
    if (!ModuleGoesOn()) return false;
    run.parametersFromFiles = answer == 1;
    if (!(run.parametersFromFiles ? read_parameter_files() : ask_parameters())) return false;
    const ShuffleSettings& s = run.settings;
    int active = 0;
    for (int p = 0; p <= s.last; ++p) {
        if (!std::isfinite(s.weights[p]))
            return RefuseModuleRun(kStopped,
                                   "The weight of %s is %f, not a number the matrices can use.",
                                   kPrincipleLabels[p], s.weights[p]);
        if (s.weights[p] > 0) ++active;
    }
    if (active < 2 && !(active == 1 && s.selfCorrelation))
        return RefuseModuleRun(kStopped,
                               "Fewer than two principles have a weight above 0: nothing to test.");
    Print("\n Order %d, %s IC, %s self-correlation, %d principles tested (%s)\n", s.order,
          s.last == 10 ? "with" : "without", s.selfCorrelation ? "with" : "without", active,
          run.parametersFromFiles ? "from the last Continuum's files" : "as asked");
    return true;
}

// ---- 2. the table --------------------------------------------------------------------------------

// The table of events the group is read from (.dbf or .csv), open from the file dialog until the
// rows are read.
static PersonTable table;

static bool open_group_table() {
    run.tablePath[0] = '\0';
    bool chosen = uxfiledialog(run.tablePath, sizeof run.tablePath, kPersonTableFilter);
    RecordAnswerFile(chosen ? run.tablePath : "");
    if (!ModuleGoesOn()) return false;
    if (!chosen) return StopModuleRun(kStopped, "No table was chosen.");
    const char* name = ShuffleTableName(run);
    char why[300];
    switch (OpenPersonTable(&table, run.tablePath, why, sizeof why)) {
    case TableOpen::Opened:
        break;
    case TableOpen::CannotOpen:
        return RefuseModuleRun(kStopped, "The table %s cannot be opened.", name);
    case TableOpen::NotPersonTable:
        return RefuseModuleRun(kStopped,
                               "The table %s has %d fields; a person or event table has %d.", name,
                               uxxbase_field_count(&table.dbf), kPersonFieldCount);
    case TableOpen::CsvUnusable:
        return RefuseModuleRun(kStopped, "The table %s cannot be used: %s.", name, why);
    }
    const int rows = PersonTableRows(&table);
    if (rows < 2)
        return RefuseModuleRun(kStopped, "The table %s has %d rows; a group needs 2.", name, rows);
    char note[200];
    PersonTableImportNote(&table, note, sizeof note);
    if (note[0]) Print("\n %s: %s", name, note);
    run.tableRows = rows;
    return true;
}

// ---- 3. the group's rows -------------------------------------------------------------------------

static bool ask_rows(int rows) {
    run.firstRow = InputInt("First row of the group", 1, rows, 1);
    if (!ModuleGoesOn()) return false;
    if (run.firstRow < 1 || run.firstRow > rows) run.firstRow = 1;
    const int there = rows - run.firstRow + 1;
    if (there < 2)
        return RefuseModuleRun(kStopped, "Only one row from row %d: a group needs 2.",
                               run.firstRow);
    run.count = InputInt("Number of events", 2, there, there);
    if (!ModuleGoesOn()) return false;
    if (run.count < 2 || run.count > there) run.count = there;
    return true;
}

// What the tz check finds for the row: the place's IANA zone, and whether zone and summer time
// agree with the tz database.
static void check_zone(const PersonEntry& entry, ShuffleMember* member, ShuffleRowZone* zone) {
    ZoneComparison c;
    CompareEntryZone(&entry, &c);
    *zone = ShuffleRowZone{};
    member->zone[0] = '\0';
    if (c.verdict == ZoneVerdict::NotInPlaceTable) return;
    // A name too long for the member is left out (no zone) rather than cut to another name.
    if (std::strlen(c.place.zone) < sizeof member->zone)
        std::memcpy(member->zone, c.place.zone, std::strlen(c.place.zone) + 1);
    if (c.verdict == ZoneVerdict::NoZone) return;
    // The offsets the table check names for a row it cannot compare.
    const ZoneMoment& m = c.moment;
    zone->localMeanTime = IsMeanTime(WholeHours(m.before) ? m.after : m.before);
    if (c.verdict == ZoneVerdict::NotWholeHours) return;
    zone->checked = true;
    zone->disagrees = c.verdict == ZoneVerdict::Disagrees || c.verdict == ZoneVerdict::SkippedTime;
}

// Every row of the group, checked; a bad row stops the run with its row, field and text.
static bool read_rows() {
    run.members.assign(run.count, ShuffleMember{});
    run.zones.assign(run.count, ShuffleRowZone{});
    int bad = 0;
    char first[200] = "";
    for (int k = 0; k < run.count; ++k) {
        PersonEntry entry{};
        RowCheck check;
        if (!ReadPersonTableRow(&table, run.firstRow - 1 + k, &entry, &check)) {
            for (int i = 0; i < check.count; ++i) {
                char line[200];
                FormatRowProblem(&check.problems[i], line, sizeof line);
                Print("\n %s", line);
                if (bad++ == 0) std::snprintf(first, sizeof first, "%s", line);
            }
            continue;
        }
        PersonRecordFromEntry(&entry, &run.members[k].record);
        check_zone(entry, &run.members[k], &run.zones[k]);
    }
    if (bad == 0) return true;
    if (bad == 1)
        ShowMessage("%s", first);
    else
        ShowMessage("%s (and %d more, listed in the terminal)", first, bad - 1);
    Print(kStopped);
    return false;
}

// ---- 4. to 6. design, control groups, replication ------------------------------------------------

static double zone_one_julian_day(const int moment[6]) {
    return JulianDay(moment[2], moment[1], moment[0], moment[3], moment[4], moment[5], 1);
}

// Design 3's period, preset to the group's first and last year.
static bool ask_period() {
    int* s = run.start;
    s[0] = 1, s[1] = 1, s[2] = run.profile.firstYear, s[3] = 0, s[4] = 0, s[5] = -1;
    InputDate("Enter start-date", &s[0], &s[1], &s[2], &s[3], &s[4], &s[5]);
    if (!ModuleGoesOn()) return false;
    int* e = run.end;
    e[0] = 31, e[1] = 12, e[2] = run.profile.lastYear, e[3] = 23, e[4] = 59, e[5] = -1;
    InputDate("Enter end-date", &e[0], &e[1], &e[2], &e[3], &e[4], &e[5]);
    if (!ModuleGoesOn()) return false;
    run.settings.jdStart = zone_one_julian_day(s);
    run.settings.jdEnd = zone_one_julian_day(e);
    Print("\n  START: %i. %i. %i  ENDE: %i. %i. %i ", s[0], s[1], s[2], e[0], e[1], e[2]);
    if (!(run.settings.jdEnd > run.settings.jdStart))
        return RefuseModuleRun(kStopped,
                               "The end date %d.%d.%d must lie after the start date %d.%d.%d.",
                               e[0], e[1], e[2], s[0], s[1], s[2]);
    return true;
}

static bool ask_design() {
    int design = ChooseOption("Control groups", 3, kShuffleDesignCaptions);
    if (!ModuleGoesOn() || design < 1) return false;
    run.settings.design = static_cast<ShuffleDesign>(design);
    Print("\n Control groups: %s", kShuffleDesignCaptions[design - 1]);
    return design != kRandomMomentsOfPeriod || ask_period();
}

static bool ask_groups() {
    int groups = InputInt("Number of control groups", kShuffleMinGroups, kShuffleMaxGroups, 1000);
    if (!ModuleGoesOn()) return false;
    if (groups < kShuffleMinGroups) groups = kShuffleMinGroups;
    if (groups > kShuffleMaxGroups) groups = kShuffleMaxGroups;
    run.settings.controlGroups = groups;
    int replication = InputYesNo("Check the replication in two halves?", 0);
    if (!ModuleGoesOn()) return false;
    run.settings.replication = replication == 1;
    return true;
}

// One 64-bit seed for every random choice of the run: fixed ahead by the automation, or drawn
// from the standard generator (which the automation's "seed" fixes).
static std::uint64_t run_seed() {
    unsigned long long fixed = 0;
    if (uxrandom_take_fixed_seed(&fixed)) return fixed;
    std::uint64_t seed = 0;
    for (int k = 0; k < 3; ++k) seed = (seed << 31) ^ static_cast<std::uint64_t>(std::rand());
    return seed;
}

// ---- the computation -----------------------------------------------------------------------------

static bool progress(int percent) {
    SetProgress(percent);
    WaitSeconds(0.001);
    return uxRunning();
}

static bool run_test() {
    ShuffleSettings& s = run.settings;
    s.bootstrapResamples = kShuffleBootstrapResamples;
    s.seed = run_seed();
    Print("\n Seed of this run: %llu", static_cast<unsigned long long>(s.seed));
    if (!uxfile_sha256(run.tablePath, run.tableSha256, &run.tableSize))
        return RefuseModuleRun(kStopped, "The table %s cannot be read again.",
                               ShuffleTableName(run));
    Print("\n %d members, %d control groups%s; computing ...\n", run.count, s.controlGroups,
          s.replication ? ", replication in two halves" : "");
    return RunShuffleTest(s, run.members.data(), run.count, progress, &run.result);
}

static bool run_module() {
    Print("\n");
    Print("\n*** Shuffle test - control groups ***\n\n");
    IntroGeneral(0);
    IntroShuffleTest(0);
    if (!ask_correlation_settings()) return false;
    bool ok = open_group_table() && ask_rows(run.tableRows) && read_rows();
    ClosePersonTable(&table);
    if (!ok) return false;
    RecordRunTable(run.tablePath, run.firstRow, run.count);
    MakeShuffleProfile(run.members.data(), run.zones.data(), run.count, &run.profile);
    if (!ask_design() || !ask_groups()) return false;
    if (!run_test()) return false;
    utc_now(run.endedAt);
    PrintShuffleReport(run);
    DrawShuffleChart(run);
    TextOutput(4);  // the report stays in front
    if (!WriteShuffleFiles(run)) return false;
    PlayTada();
    return true;
}

void ShuffleTest() {
    run = ShuffleRun{};
    utc_now(run.startedAt);
    run_module();
    run.members.clear();
    run.members.shrink_to_fit();
}
