// Event analysis: the correlation matrices of a group of events (births, earthquakes, any dated
// moment with a place), read from a person table or entered by hand, compared with the
// continuum when it ran before.
//
// Every event is read and checked before the cycle, and the parameter and result files are
// written only after it: a run that stops (too few rows, a bad row, a cancelled dialog) leaves
// the files of the last good run as they were, and no invented or unreadable event is ever
// averaged into the group.

#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "records/person_rows.h"
#include "records/person_table.h"
#include "records/persons.h"
#include "research/correlation_matrices.h"
#include "research/event_analysis_csv.h"
#include "research/event_analysis_run.h"
#include "research/event_rules.h"
#include "research/event_tz_check.h"
#include "research/matrix_picture.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/format_text.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "shell/run_record.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxfiledialog.h"
#include "toolkit/data/uxxbase.h"

static const int kMaxOffset = 1000000;
// A short wait after so many events keeps the window responsive in long groups.
static const int kEventsPerWait = 500;

static EventRun run;
// Open while the events are read automatically; closed when the module ends.
static PersonTable table;

static int yes(int answer) { return answer == 1 ? 1 : 0; }

static const char kStopped[] = "\n The event analysis stops; no file was written.\n";

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
    if (!ModuleGoesOn()) return false;
    run.order = InputInt("degree of correlation (1,2,3,...12):", 1, 12, 1);
    if (!ModuleGoesOn()) return false;
    keep_parameters_in_range();
    run.last = 9 + yes(InputYesNo("with IC? ", 0));
    if (!ModuleGoesOn()) return false;
    run.weights[10] = 0.0;
    for (int p = 0; p <= run.last; ++p) run.weights[p] = 1.0;
    if (choosePlanets) {
        Print("\n \tselection of the planets \n  ");
        InputArray("selection planets", run.weights, kPrincipleLabels);
    } else if (InputYesNo("Should the planets get a weight?", 1) == 1) {
        for (int p = 0; p < 11; ++p) run.weights[p] = kGravityWeights[p];
        InputArray("gravity planets", run.weights, kPrincipleLabels);
    }
    return ModuleGoesOn();
}

// The table's file name without its folders, short enough for a message box.
static const char* table_name() {
    const char* slash = std::strrchr(run.tablePath, '/');
    return slash ? slash + 1 : run.tablePath;
}

// Step 7 with automatic reading: the chosen table must open, be a person table and hold rows.
static bool open_table() {
    if (!run.tablePath[0]) return RefuseModuleRun(kStopped, "No table was chosen.");
    char why[300];
    switch (OpenPersonTable(&table, run.tablePath, why, sizeof why)) {
    case TableOpen::Opened:
        break;
    case TableOpen::CannotOpen:
        Print("E R R O R opening database %s\n", run.tablePath);
        return RefuseModuleRun(kStopped, "The table %s cannot be opened.", table_name());
    case TableOpen::NotPersonTable:
        return RefuseModuleRun(kStopped,
                               "The table %s has %d fields; a person or event table has %d.",
                               table_name(), uxxbase_field_count(&table.dbf), kPersonFieldCount);
    case TableOpen::CsvUnusable:
        return RefuseModuleRun(kStopped, "The table %s cannot be used: %s.", table_name(), why);
    }
    if (PersonTableRows(&table) == 0)
        return RefuseModuleRun(kStopped, "The table %s has no rows.", table_name());
    char note[200];
    PersonTableImportNote(&table, note, sizeof note);
    if (note[0]) Print("\n %s: %s", table_name(), note);
    return true;
}

// Steps 7 to 10: reading mode, table, number of events, time shifts; false when the run stops.
static bool ask_events() {
    run.automatic = yes(InputYesNo("read data automatically ?", 1));
    if (!ModuleGoesOn()) return false;
    run.tablePath[0] = '\0';
    if (!uxfiledialog(run.tablePath, sizeof run.tablePath, kPersonTableFilter))
        run.tablePath[0] = '\0';
    RecordAnswerFile(run.tablePath);
    if (!ModuleGoesOn()) return false;
    if (run.automatic && !open_table()) return false;
    if (!run.continuumRan) {
        run.count = InputInt("\n How much events?: ", 1, kMaxEvents, 1);
        if (!ModuleGoesOn()) return false;
    }
    keep_count_in_range();
    run.shiftDays = InputInt("\n time shift d ??: ", -25, 25, 0);
    if (!ModuleGoesOn()) return false;
    run.shiftHours = InputInt("\n time shift h ??: ", -47, 47, 0);
    return ModuleGoesOn();
}

// Step 12, automatic: the offset, then every row the group uses, checked. Too few rows from the
// offset are offered as the group; a bad row stops the run with its row, field and text.
static bool read_rows() {
    run.offset = InputInt("offset in database", 1, kMaxOffset, 1);
    if (!ModuleGoesOn()) return false;
    const int rows = PersonTableRows(&table);
    const int there = rows - run.offset + 1;
    if (there <= 0)
        return RefuseModuleRun(kStopped, "The table %s has %d rows: none from row %d, %d asked.",
                               table_name(), rows, run.offset, run.count);
    if (there < run.count) {
        char question[200];
        std::snprintf(question, sizeof question,
                      "only %d rows from row %d, %d asked: use the %d rows there are?", there,
                      run.offset, run.count, there);
        int answer = InputYesNo(question, 0);
        if (!ModuleGoesOn()) return false;
        if (answer != 1)
            return StopModuleRun(kStopped, "only %d rows from row %d, %d asked.", there, run.offset,
                                 run.count);
        run.count = there;
    }
    int bad = 0;
    char first[200] = "";
    for (int k = 0; k < run.count; ++k) {
        PersonEntry entry{};
        RowCheck check;
        bool good = ReadPersonTableRow(&table, k + run.offset - 1, &entry, &check);
        if (table.note[0]) Print("\n %s", table.note);
        if (!good) {
            for (int i = 0; i < check.count; ++i) {
                char line[200];
                FormatRowProblem(&check.problems[i], line, sizeof line);
                Print("\n %s", line);
                if (bad++ == 0) std::snprintf(first, sizeof first, "%s", line);
            }
            continue;
        }
        PersonRecord* record = &run.records[k];
        *record = PersonRecord{};
        PersonRecordFromEntry(&entry, record);
        if (run.shiftDays != 0 || run.shiftHours != 0)
            ShiftEventMoment(run.shiftDays, run.shiftHours, &record->year, &record->month,
                             &record->day, &record->hour);
    }
    if (bad == 0) return true;
    // The lines are in the terminal already; the message shows the first.
    if (bad == 1)
        ShowMessage("%s", first);
    else
        ShowMessage("%s (and %d more, listed in the terminal)", first, bad - 1);
    Print(kStopped);
    return false;
}

// Step 12, by hand: one entry dialog per event. An entry outside the ranges of a table row is
// shown again; a cancelled one offers the events entered so far as the group.
static bool enter_events() {
    for (int k = 0; k < run.count; ++k) {
        PersonEntry entry{};
        bool fresh = true;
        for (;;) {
            bool confirmed = PersonEntryDialog(&entry, fresh);
            if (!ModuleGoesOn()) return false;
            if (!confirmed) {
                if (k == 0)
                    return RefuseModuleRun(kStopped, "No event was entered, %d asked.", run.count);
                char question[200];
                std::snprintf(question, sizeof question,
                              "only %d of %d events entered: use these?", k, run.count);
                int answer = InputYesNo(question, 0);
                if (!ModuleGoesOn()) return false;
                if (answer != 1)
                    return StopModuleRun(kStopped, "only %d of %d events entered.", k, run.count);
                run.count = k;
                return true;
            }
            Print("\n \tchoose the members with double click left !! \n");
            RowCheck check;
            if (CheckPersonEntry(&entry, k + 1, &check)) break;
            const RowProblem& p = check.problems[0];
            ShowMessage("event %d, %s \"%s\": outside its range", k + 1, p.fieldName, p.text);
            fresh = false;
        }
        run.records[k] = PersonRecord{};
        PersonRecordFromEntry(&entry, &run.records[k]);
    }
    return true;
}

// Weights come from a dialog or from "datplanet.txt": each must be a number the sums can use.
static bool weights_usable() {
    for (int p = 0; p <= run.last; ++p)
        if (!std::isfinite(run.weights[p]))
            return RefuseModuleRun(kStopped,
                                   "The weight of %s is %f, not a number the matrices can use.",
                                   kPrincipleLabels[p], run.weights[p]);
    return true;
}

// Backstop after the cycle: nothing that is not a finite number reaches a file.
static bool results_finite() {
    const EventMoments& ev = run.events;
    for (int k = 0; k < run.count; ++k) {
        bool finite = std::isfinite(ev.julianDay[k]);
        for (int kind = 0; kind < kCorrelationKinds; ++kind)
            finite = finite && std::isfinite(ev.sums[kind][k]);
        if (!finite)
            return RefuseModuleRun(kStopped, "Event %d gives values that are no finite numbers.",
                                   k + 1);
    }
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        for (int i = 0; i < kMatrixSize; ++i)
            for (int j = 0; j < kMatrixSize; ++j)
                if (!std::isfinite(run.accumulators[kind][i][j]))
                    return RefuseModuleRun(kStopped, "The group's sums are no finite numbers.");
    return true;
}

// Steps 3, 6, 9 and 10: the parameter files of this run, written once it has its results.
// "autodat.txt" carries the flag the event matrices were made with to the later modules,
// whether it was answered here or taken from the continuum.
static bool write_parameters() {
    int format[2] = {run.last, run.count};
    return WriteInt(kAutoCorrelationFile, run.selfCorrelation) &&
           (run.continuumRan || WriteInt(kOrderFile, run.order)) &&
           WritePrincipleList(kPlanetWeightsFile, run.weights, run.last) &&
           WriteIntList(kMatrixFormatFile, format, 2) &&
           WriteInt(kTimeShiftDaysFile, run.shiftDays) &&
           WriteInt(kTimeShiftHoursFile, run.shiftHours) && WriteInt(kGroupSizeFile, run.count);
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
        record = run.records[k];
        if (run.automatic) PrintPersonTableRow(&table, k + run.offset - 1);
        ev.year[k] = record.year;
        ev.month[k] = record.month;
        ev.day[k] = record.day;
        ev.hour[k] = record.hour;
        ev.minute[k] = record.minute;
        // The event's moment in world time, as its positions have it: summer time taken off.
        double jd = RecordJulianDay(record) - record.summerTime / 24.0;
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
    if (!ModuleGoesOn()) return false;
    if (run.continuumRan) {
        if (!read_continuum()) return false;
    } else if (!ask_parameters()) {
        return false;
    }
    if (!weights_usable() || !ask_events()) return false;
    if (!(run.automatic ? read_rows() : enter_events())) return false;
    if (run.automatic) RecordRunTable(run.tablePath, run.offset, run.count);
    if (!analyse_events() || !results_finite()) return false;
    if (run.automatic) CheckEventZones(&table, run.offset - 1, run.count);
    if (!write_parameters() || !write_julian_dates()) return false;
    if (!PrintEventList(run) || !PrintEventTables(&run)) return false;
    if (!WriteEventAnalysisCsv(run)) return false;
    DrawEventMatrixPicture(run.results, run.last, run.order, run.count, run.continuumRan);
    if (run.continuumRan) DrawComparisonChart(run);
    return true;
}

void EventAnalysis() {
    // Zeroed in place: the run is too large for a temporary on the stack.
    std::memset(&run, 0, sizeof run);
    run_module();
    ClosePersonTable(&table);
}
