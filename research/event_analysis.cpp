// Event analysis: the correlation matrices of a group of events (births, earthquakes, any dated
// moment with a place), read from a person table or entered by hand, compared with the
// continuum when it ran before.

#include <cstdio>
#include <cstring>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "records/persons.h"
#include "research/correlation_matrices.h"
#include "research/event_analysis_run.h"
#include "research/event_rules.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxfiledialog.h"
#include "toolkit/data/uxxbase.h"

static const int kMaxOffset = 1000000;
// A short wait after so many events keeps the window responsive in long groups.
static const int kEventsPerWait = 500;

static EventRun run;
// Open while the events are read automatically; closed when the module ends.
static uxXBase table;

static int yes(int answer) { return answer == 1 ? 1 : 0; }

// Values that came from files: orders, flags and formats the tables and sums can work with.
static void keep_parameters_in_range() {
    if (run.order < 1 || run.order > 12) {
        Print("\n   ERROR ! Order must lie in the area from 1 to 12. We set Order = 1; \n");
        run.order = 1;
    }
    if (run.selfCorrelation != 0) run.selfCorrelation = 1;
    if (run.last != 9 && run.last != 10) run.last = run.last > 10 ? 10 : 9;
}

// The number of events must fit the per-event table.
static void keep_count_in_range() {
    if (run.count >= 1 && run.count <= kMaxEvents) return;
    run.count = run.count < 1 ? 1 : kMaxEvents;
    Print("\n ERROR! Number of events must lie in the area from 1 to %d. We set %d; ERROR! \n",
          kMaxEvents, run.count);
}

// Steps 3 and 4 with a continuum: its parameters and sums, printed; false when a file is
// missing (reported by name).
static bool read_continuum() {
    double* ms = run.continuumMatrixSums;
    if (!ReadDoubleList(kContinuumMatrixSumFile, ms, kCorrelationKinds)) return false;
    if (!ReadInt(kIntervalFile, &run.continuumCount)) return false;
    if (!ReadInt(kOrderFile, &run.order)) return false;
    if (!ReadInt(kSelfCorrelationFile, &run.selfCorrelation)) return false;
    // The later modules read the group's self-correlation flag from "autodat.txt"; with a
    // continuum it is the continuum's, so the file is brought up to date here too (otherwise
    // the workflow continuum -> event analysis -> artificial intelligence finds no such file,
    // or a stale one).
    if (!WriteInt(kAutoCorrelationFile, run.selfCorrelation)) return false;
    if (!ReadDoubleList(kContinuumMatrixSumCopyFile, ms, kCorrelationKinds)) return false;
    Print(" \n\n  ");
    Print(" Continuum matrix sum: SHcont %3.4f SIcont %3.4f SDcont %3.4f  SDAcont %3.4f ", ms[0],
          ms[1], ms[2], ms[3]);
    Print(" \n\n  ");
    if (!ReadMatrixFormat(&run.last, &run.count)) return false;
    keep_parameters_in_range();
    static const char* const labels[kCorrelationKinds] = {" zsh %d = %f   ", " zsi %d = %f   ",
                                                          " zsd %d = %f   ", " zsda %d = %f   "};
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        double* sums = run.continuumRowSums[kind];
        if (!ReadPrincipleList(kContinuumRowSumFiles[kind], sums, run.last)) return false;
        if (kind == kHarmonyKind) {
            Print(" \n\n  ");
            Print("\n matrix format MIC1 = %i Teamst\xe4rke = %i \n\n   ", run.last, run.count);
        }
        Print(" \n\n  ");
        if (kind == kDynamicsKind) Print(" \n ");
        if (kind == kAbsoluteDynamicsKind) Print(" \n\n  ");
        for (int p = 0; p <= run.last; ++p) Print(labels[kind], p + 1, sums[p]);
    }
    Print(" \n\n  ");
    if (!ReadPlanetWeights(run.weights, run.last)) return false;
    if (run.last < 10) run.weights[10] = 0.0;
    return true;
}

// Steps 3 to 5 without a continuum: planets, auto-correlation, order, IC and weights; false
// when the application stops.
static bool ask_parameters() {
    int choosePlanets = yes(InputYesNo("choose planets", 1));
    run.selfCorrelation = yes(InputYesNo("auto-correlation", 1));
    if (!uxRunning() || !WriteInt(kAutoCorrelationFile, run.selfCorrelation)) return false;
    run.order = InputInt("degree of correlation (1,2,3,...12):", 1, 12, 1);
    if (!uxRunning()) return false;
    keep_parameters_in_range();
    if (!WriteInt(kOrderFile, run.order)) return false;
    run.last = 9 + yes(InputYesNo("with IC? ", 0));
    if (!uxRunning()) return false;
    run.weights[10] = 0.0;
    for (int p = 0; p <= run.last; ++p) run.weights[p] = 1.0;
    if (choosePlanets) {
        Print("\n \tselection of the planets \n  ");
        InputArray("selection planets", run.weights, kPrincipleLabels);
    } else if (InputYesNo("Should the planets get a weight?", 1) == 1) {
        for (int p = 0; p < 11; ++p) run.weights[p] = kGravityWeights[p];
        InputArray("gravity planets", run.weights, kPrincipleLabels);
    }
    return uxRunning();
}

// Steps 7 to 10: reading mode, table, number of events, time shifts; false when the
// application stops.
static bool ask_events() {
    run.automatic = yes(InputYesNo("read data automatically ?", 1));
    if (!uxRunning()) return false;
    run.tablePath[0] = '\0';
    if (!uxfiledialog(run.tablePath, sizeof run.tablePath, "open,filter=*.dbf,defaultext=dbf"))
        run.tablePath[0] = '\0';
    if (!uxRunning()) return false;
    if (!run.continuumRan) {
        run.count = InputInt("\n How much events?: ", 1, kMaxEvents, 1);
        if (!uxRunning()) return false;
    }
    keep_count_in_range();
    int format[2] = {run.last, run.count};
    if (!WriteIntList(kMatrixFormatFile, format, 2)) return false;
    run.shiftDays = InputInt("\n time shift d ??: ", -25, 25, 0);
    if (!uxRunning()) return false;
    if (!WriteInt(kTimeShiftDaysFile, run.shiftDays)) return false;
    run.shiftHours = InputInt("\n time shift h ??: ", -47, 47, 0);
    if (!uxRunning()) return false;
    return WriteInt(kTimeShiftHoursFile, run.shiftHours) && WriteInt(kGroupSizeFile, run.count);
}

// Step 12: the event record of event k, read from the table or entered by hand. A row that
// does not exist, or a table that did not open, gives the empty record. False when the
// application stops.
static bool next_event(int k, PersonRecord* record) {
    PersonEntry entry{};
    *record = PersonRecord{};
    if (run.automatic) {
        if (k == 0) {
            run.offset = InputInt("offset in database", 1, kMaxOffset, 1);
            if (!uxRunning()) return false;
            if (!uxxbase_open(&table, run.tablePath))
                Print("E R R O R opening database %s\n", run.tablePath);
        }
        // Rows beyond the table (or a table that did not open) stay empty records.
        int row = k + run.offset - 1;
        if (table.is_open && row < uxxbase_count(&table)) {
            ReadPersonRow(&table, &entry, row);
            PersonRecordFromEntry(&entry, record);
        }
        if (run.shiftDays != 0 || run.shiftHours != 0)
            ShiftEventMoment(run.shiftDays, run.shiftHours, &record->year, &record->month,
                             &record->day, &record->hour);
        return true;
    }
    bool confirmed = PersonEntryDialog(&entry, true);
    if (!uxRunning()) return false;
    if (confirmed) PersonRecordFromEntry(&entry, record);
    Print("\n \tchoose the members with double click left !! \n");
    return true;
}

// Step 14: implausible fields are reported and used as they are.
static void check_event(int k, const PersonRecord& record) {
    if (record.month < 1 || record.month > 12)
        Print("%d: Monat!!: %d: %s %s\n", k + 1, record.month, record.name, record.firstName);
    if (record.hour > 24 || record.hour < 0)
        Print("%d: Stunde!!: %d: %s %s\n", k + 1, record.hour, record.name, record.firstName);
    if (record.minute > 60 || record.minute < 0)
        Print("%d: Minute!!: %d: %s %s\n", k + 1, record.minute, record.name, record.firstName);
}

// Steps 11 to 16; false when the application stops. The matrices live on the stack; the
// per-event values go into the run's fixed tables.
static bool analyse_events() {
    ClearAccumulators(run.accumulators);
    EventMoments& ev = run.events;
    PersonRecord record;
    PositionRecord positions{};
    double harmony[kMatrixSize][kMatrixSize];
    double dynamics[kMatrixSize][kMatrixSize];
    for (int k = 0; k < run.count; ++k) {
        if (!next_event(k, &record)) return false;
        check_event(k, record);
        ev.year[k] = record.year;
        ev.month[k] = record.month;
        ev.day[k] = record.day;
        ev.hour[k] = record.hour;
        ev.minute[k] = record.minute;
        double jd = RecordJulianDay(record);
        ev.julianDay[k] = jd;
        if (run.count == 1) {
            Print("\n\n gruppe i: %i Julian-date: %f %f", k, jd, jd);
            Print("\n gruppe i: %i a %i m %i d %i h %i min %i ", k, record.year, record.month,
                  record.day, record.hour, record.minute);
        }
        PlanetPositions(record, &positions);
        BuildMomentMatrices(run.order, positions.longitude, harmony, dynamics);
        double* sums[kCorrelationKinds];
        for (int kind = 0; kind < kCorrelationKinds; ++kind) sums[kind] = &ev.sums[kind][k];
        MomentSums(harmony, run.weights, run.selfCorrelation, run.last, sums[kHarmonyKind],
                   sums[kEnergyKind]);
        MomentSums(dynamics, run.weights, run.selfCorrelation, run.last, sums[kDynamicsKind],
                   sums[kAbsoluteDynamicsKind]);
        Print("group !!!H= %f", *sums[kHarmonyKind]);
        AccumulateMoment(run.accumulators, harmony, dynamics, run.last);
        Print("\n H: %f ", *sums[kHarmonyKind]);
        Print("\n I: %9.2f ", *sums[kEnergyKind]);
        if ((k + 1) % kEventsPerWait == 0) {
            WaitSeconds(0.001);
            if (!uxRunning()) return false;
        }
    }
    return true;
}

static bool write_julian_dates() {
    ModuleFile* file = OpenModuleFile(kEventJulianDatesFile);
    if (!file) return false;
    for (int k = 0; k < run.count; ++k) WriteDoubleLine(file, run.events.julianDay[k]);
    return CloseModuleFile(file);
}

static bool run_module() {
    Print("\n");
    Print("\n*** Team or Event - Analysis (earthquakes) ***\n\n");
    IntroGeneral(0);
    IntroEventAnalysis(0);
    run.continuumRan = yes(InputYesNo("Has the continuum run before?", 1));
    if (!uxRunning()) return false;
    if (run.continuumRan) {
        if (!read_continuum()) return false;
    } else if (!ask_parameters()) {
        return false;
    }
    if (!WritePrincipleList(kPlanetWeightsFile, run.weights, run.last)) return false;
    if (!ask_events() || !analyse_events()) return false;
    if (!write_julian_dates()) return false;
    if (!PrintEventList(run) || !PrintEventTables(&run)) return false;
    if (run.continuumRan) DrawComparisonChart(run);
    return true;
}

void EventAnalysis() {
    // Zeroed in place: the run is too large for a temporary on the stack.
    std::memset(&run, 0, sizeof run);
    uxxbase_create(&table);
    run_module();
    uxxbase_destroy(&table);
}
