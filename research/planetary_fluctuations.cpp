// Planetary fluctuations - time quality: the curves of the planetary field over a period, one
// per principle and their sum, for the four matrix kinds H, I, D and DA, as value tables on text
// pages 1..4 and as curve charts on graphic pages 1..4, optionally with the events of a group.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"
#include "research/curve_chart.h"
#include "research/curves_csv.h"
#include "research/module_files.h"
#include "research/results_csv.h"
#include "research/planetary_fluctuations.h"
#include "research/modules.h"
#include "research/moment_threads.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "toolkit/data/uxarray.h"
#include "toolkit/core/uxpages.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kCurveRows = 13;
static const int kCurveColumns = 100000;  // also the largest interval divider
static const int kSmallestDivider = 700;
static const int kQuietDivider = 2000;    // larger dividers get the warning
static const int kTableDivider = 1000;    // value tables only up to this divider
static const int kMaxEvents = 10000;
static const int kStepsPerWait = 500;
static const int kPrinciples = 11;        // Sun .. Pluto, IC
static const int kChartFormat = 180;
static const double kUnweightedValue = 0.000001;

static const int kWhite = 0xFFFFFF;
static const int kBlue = 0x0000FF;

static const int kCurveColourTable[kCurveRows][3] = {
    {200, 150, 0}, {200, 150, 0}, {0, 255, 0},    {200, 200, 0}, {255, 100, 0},
    {255, 0, 0},   {255, 0, 255}, {0, 0, 255},    {0, 255, 225}, {50, 255, 50},
    {255, 0, 100}, {55, 55, 55},  {55, 55, 55}};
static const double kDefaultLimits[kCorrelationKinds] = {-1.0, 1.0, -10.0, 10.0};
static const char* const kKindTitles[kCorrelationKinds] = {
    "\n *Harmony* \n", "\n *Energy* \n", "\n *Dynamic* \n", "\n *Dynamic abs* \n"};
static const char* const kKindCaptions[kCorrelationKinds] = {" Harmony ", " Energy ",
                                                             " Dynamic ", " abs(Dynamic) "};
static const char* const kContinuumLimitLines[kCorrelationKinds] = {
    "\n\n** limit cont H:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit cont I:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit cont D:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit cont DA: %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n"};
static const char* const kEventLimitLines[kCorrelationKinds] = {
    "\n\n** limit H:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit I:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit D:  %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n",
    "\n\n** limit DA: %3.2f events: %d *  %d events over limit  %3.2f percent **\n\n"};
static const char* const kEventValueLines[kCorrelationKinds] = {
    "\n i=%i  event H    %2.3f", "\n i=%i  event I    %2.3f", "\n i=%i  event D    %2.3f",
    "\n i=%i  event DA    %2.3f"};

// One run's parameters and event data; cleared at the start of every run.
static struct {
    int last;       // MIC1: 9 without IC, 10 with IC
    int groupSize;
    bool haveGroup;  // datdat.txt was there: an event analysis or continuum ran
    int period;     // answer of the period choice, 1..4
    int tlk;        // period kind of the chart
    int divider;    // N
    bool eventMode;
    bool markMode;
    int order;
    double limits[kCorrelationKinds];
    double weights[kCurveRows];
    int years;      // number of years of "more years"
    double start, end, step;
    PersonRecord record;
    double eventMoments[kMaxEvents];
    double eventValues[kCorrelationKinds][kMaxEvents];
} run;

static bool yes(int answer) { return answer == 1; }

// Groups above the capacity of the event arrays, or below zero, cannot be read.
static int checked_group_size(int size) {
    if (size >= 0 && size <= kMaxEvents) return size;
    int used = size < 0 ? 0 : kMaxEvents;
    Print(" \n ERROR! Gruppenstaerke %d is outside 0..%d; we use %d \n", size, kMaxEvents, used);
    return used;
}

static void set_up_record() {
    PersonRecord* r = &run.record;
    *r = PersonRecord{};
    std::snprintf(r->name, sizeof r->name, "Zeitqualit\xe4t");
    std::snprintf(r->firstName, sizeof r->firstName, "  ");
    r->latitudeDegrees = 50;
    r->year = 2000, r->month = 5, r->day = 1, r->hour = 0, r->minute = 1;
}

// Steps up to the interval divider and the event mode. A missing period choice is reported
// only where the period is set, after the other questions.
static void ask_kind_of_run() {
    static const char* const periods[] = {"more years", "one year", "one month", "one day"};
    run.period = ChooseOption("Choose :", 4, periods);
    run.divider =
        InputInt("\n Interval divider:  ", kSmallestDivider, kCurveColumns, kQuietDivider);
    // The dialog keeps its bounds; the table cannot hold more columns in any case.
    if (run.divider < 2) run.divider = 2;
    if (run.divider > kCurveColumns) run.divider = kCurveColumns;
    if (run.divider > kQuietDivider) {
        Print(" \n \n  Attention WARNING ! \n The interval divider is greater than 1000.\n The "
              "curves become very confusing.\n Only suitable for calculating expected values.  ");
        PlayTada();
        WaitSeconds(3);
    }
    if (run.haveGroup) Print("\n  Events per Group = %i \n ", run.groupSize);
    run.eventMode = yes(InputYesNo("Program event analysis run?", 1));
    run.markMode = run.eventMode && yes(InputYesNo("mark events?", 1));
}

// Order and weights of the event analysis; false when a file is missing.
static bool read_event_settings() {
    if (!ReadInt(kOrderFile, &run.order)) return false;
    if (run.order < 1 || run.order > 12) {
        Print("\n   ERROR ! Order must lie in the area from 1 to 12. We set Order = 1; \n");
        run.order = 1;
    }
    if (!ReadPlanetWeights(run.weights, run.last)) return false;
    if (run.last < 10) run.weights[10] = 0;
    Print(" \n\n  ORD %d  MIC1 %d\n", run.order, run.last);
    WaitSeconds(0.1);
    Print(" \n\n  Planeten: ");
    for (int p = 0; p <= run.last; ++p) Print(" %2.2f", run.weights[p]);
    return true;
}

static void ask_limits() {
    Print(" \n\n expected values - LIMIT ?  \n Limit values for Triggering.\n Negative values for "
          "H and D test for less than.\n Positive values for greater than.\n Limit values for I "
          "and DA always test for greater than.\n");
    WaitSeconds(2);
    for (int k = 0; k < kCorrelationKinds; ++k) run.limits[k] = kDefaultLimits[k];
    if (yes(InputYesNo("Limits?", 1))) {
        run.limits[0] = InputDouble(" limit H :     ", -100, 100, run.limits[0]);
        run.limits[1] = InputDouble(" limit I :     ", 0, 1000, run.limits[1]);
        run.limits[2] = InputDouble(" limit D :     ", -1000, 1000, run.limits[2]);
        run.limits[3] = InputDouble(" limit DA :     ", 0, 1000, run.limits[3]);
    }
    WaitSeconds(0.1);
}

static double period_moment(int year, int month, int day) {
    return JulianDay(year, month, day, 0, 1, 0, 0);
}

// Start, end and period kind; false when no period was chosen or the application stops.
static bool ask_period() {
    run.years = 1;
    switch (run.period) {
    case 1: {
        int year = InputInt("  START year:  ", 1, 3000, 2000);
        Print(" \n      ");
        run.years = InputInt("Number of years:   ", 1, 3000, 2);
        run.tlk = kPeriodYears;
        run.start = period_moment(year, 1, 1);
        run.end = period_moment(year + run.years, 1, 1);
        const char* line =
            " \n  Year: %f  month: %f  Day: %f hour: %f Minute: %f JD: %f  \n";
        Print(line, double(year), 1.0, 1.0, 0.0, 1.0, run.start);
        Print(line, double(year + run.years), 1.0, 1.0, 0.0, 1.0, run.end);
        break;
    }
    case 2: {
        int year = InputInt("start year: ", 1, 3000, 2000);
        run.tlk = kPeriodYear;
        run.start = period_moment(year, 1, 1);
        run.end = period_moment(year + 1, 1, 1);
        const char* line =
            " \n  Jahr: %f  Monat: %f  Tag: %f Stunde: %f Minute: %f JD: %f  \n";
        Print(line, double(year), 1.0, 1.0, 0.0, 1.0, run.start);
        Print(line, double(year + 1), 1.0, 1.0, 0.0, 1.0, run.end);
        break;
    }
    case 3: {
        int year = InputInt("  year:             ", 1, 3000, 2000);
        int month = InputInt(" month:             ", 1, 12, 6);
        run.tlk = kPeriodMonth;
        run.start = period_moment(year, month, 1);
        run.end = month == 12 ? period_moment(year + 1, 1, 1) : period_moment(year, month + 1, 1);
        break;
    }
    case 4: {
        int year = InputInt("  year: ", 1, 3000, 2000);
        int month = InputInt(" month: ", 1, 12, 6);
        int day = InputInt("   day: ", 1, 31, 15);
        run.tlk = kPeriodDay;
        run.start = period_moment(year, month, day);
        run.end = run.start + 1.0;
        break;
    }
    default:
        Print(" \n  ERROR: only 0,1,2 or 3 for input \n");
        return false;
    }
    return ModuleGoesOn();
}

static void ask_planets() {
    bool choose = yes(InputYesNo("choice planets?", 0));
    for (int p = 0; p < kCurveRows; ++p) run.weights[p] = 1.0;
    run.weights[10] = yes(InputYesNo("with IC? ", 0)) ? 1.0 : 0.0;
    if (!choose) return;
    Print("\n \tselection of the planets \n  ");
    InputArray("Weighting planets", run.weights, kPrincipleLabels);
    run.weights[11] = 0;
    if (yes(InputYesNo("standart-weight for planets?", 0))) {
        for (int p = 0; p < kPrinciples; ++p) {
            run.weights[p] *= kGravityWeights[p];
            Print("\n planet-weight: %2.2f", run.weights[p]);
        }
    }
}

// The event moments and the events' own values of the four kinds; false when one is missing.
static bool read_events() {
    if (!ReadDoubleList(kEventJulianDatesFile, run.eventMoments, run.groupSize)) return false;
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (!ReadDoubleList(kEventMomentSumFiles[k], run.eventValues[k], run.groupSize))
            return false;
    return true;
}

static void build_matrix(int kind, const double* longitudes,
                         double matrix[kMatrixSize][kMatrixSize]) {
    switch (kind) {
    case kHarmonyKind: BuildHarmonyMatrix(run.order, longitudes, matrix); break;
    case kEnergyKind: BuildEnergyMatrix(run.order, longitudes, matrix); break;
    case kDynamicsKind: BuildDynamicsMatrix(run.order, longitudes, matrix); break;
    default:
        BuildDynamicsMatrix(run.order, longitudes, matrix);
        for (int p = 0; p < kMatrixSize; ++p)
            for (int q = 0; q < kMatrixSize; ++q)
                matrix[p][q] = std::fabs(std::trunc(matrix[p][q]));
        break;
    }
}

// What the first kind's loop keeps for the others: the longitudes of every step (the moments
// are the same for all four kinds), and the curves of the kind that follows from the same
// matrices (energy from harmony, absolute dynamics from dynamics). Without memory for them
// every kind computes its own.
struct KeptForLaterKinds {
    double (*longitudes)[kMatrixPrinciples] = nullptr;
    size_t longitudesMapped = 0;  // how the longitudes' memory was had
    int longitudesFilled = 0;     // steps stored so far
    uxArray2Double partner;    // the next kind's curves
    bool partnerMade = false;
    int partnerKind = -1;      // the kind whose curves `partner` holds completely
};
static KeptForLaterKinds kept;

static void forget_kept() {
    if (kept.longitudes) uxpages_release(kept.longitudes, kept.longitudesMapped);
    if (kept.partnerMade) uxarray2d_destroy(&kept.partner);
    kept = KeptForLaterKinds{};
}

// The curve values of one step from its matrix: row 0 the sum, rows 1..11 the principles.
static void store_step(const double matrix[kMatrixSize][kMatrixSize], int i,
                       uxArray2Double* curves) {
    const double* w = run.weights;
    double sum = 0;
    for (int p = 0; p < kPrinciples; ++p) {
        double value = 0;
        for (int q = 0; q < kPrinciples; ++q)
            if (q != p) value += matrix[p][q] * w[p] * w[q];
        if (w[p] == 0) value = kUnweightedValue;
        uxarray2d_set(curves, p + 1, i, value);
        sum += value;
    }
    uxarray2d_set(curves, 0, i, sum);
}

// The hot loop of one kind: one position and one matrix per step, nothing allocated.
// Harmony and dynamics also fill the curves of energy and absolute dynamics, which are the
// same matrices' absolute values (truncated for absolute dynamics). False when the
// application stops.
static bool compute_curves(int kind, uxArray2Double* curves) {
    if (kind == 0) {
        forget_kept();
        const int steps = run.divider > 0 ? run.divider : 1;
        kept.longitudes = static_cast<double(*)[kMatrixPrinciples]>(uxpages_zeroed(
            sizeof(double[kMatrixPrinciples]) * static_cast<size_t>(steps), &kept.longitudesMapped));
        kept.partnerMade = uxarray2d_create(&kept.partner, kCurveRows, kCurveColumns);
    }
    if (kept.partnerMade && kept.partnerKind == kind) {
        // The steps' columns only, as the kind's own loop would write them.
        const size_t values = static_cast<size_t>(run.divider) * kCurveRows;
        std::memcpy(curves->data, kept.partner.data,
                    (values < curves->size ? values : curves->size) * sizeof(double));
        return ModuleGoesOn();
    }
    const bool pairs = kept.partnerMade && (kind == kHarmonyKind || kind == kDynamicsKind);
    kept.partnerKind = -1;
    const bool reuse = kept.longitudes && kept.longitudesFilled == run.divider;
    const bool keep = kept.longitudes && kind == 0 && !reuse;
    EnsureWaveTablesForOrder(run.order);  // filled before the threads read it
    int shownProgress = -1;
    // Blocks of one wait's steps, computed on all cores; each step writes only its own columns.
    // The progress and the wait of the block follow on the main thread, as in a single loop,
    // while the threads compute the next block.
    auto prepare = [&](int k) { return std::min(kStepsPerWait, run.divider - k * kStepsPerWait); };
    auto compute = [&](int k, int begin, int end) {
        const int first = k * kStepsPerWait;
        PersonRecord r = run.record;
        PositionRecord positions{};
        double matrix[kMatrixSize][kMatrixSize], partner[kMatrixSize][kMatrixSize];
        for (int i = first + begin; i < first + end; ++i) {
            const double* longitudes;
            if (reuse) {
                longitudes = kept.longitudes[i];
            } else {
                double year, month, day, hour, minute;
                JulianToCalendar(run.start + i * run.step, &year, &month, &day, &hour,
                                 &minute);
                r.year = int(year), r.month = int(month), r.day = int(day);
                r.hour = int(hour), r.minute = int(minute), r.second = 0;
                PlanetPositions(r, &positions);
                longitudes = positions.longitude;
                if (keep)
                    for (int p = 0; p < kMatrixPrinciples; ++p)
                        kept.longitudes[i][p] = longitudes[p];
            }
            build_matrix(kind, longitudes, matrix);
            store_step(matrix, i, curves);
            if (pairs) {
                // BuildEnergyMatrix takes |H| of 0..10; the absolute dynamics |trunc D| of
                // all.
                const int size = kind == kHarmonyKind ? kMatrixPrinciples : kMatrixSize;
                std::memcpy(partner, matrix, sizeof partner);
                for (int p = 0; p < size; ++p)
                    for (int q = 0; q < size; ++q)
                        partner[p][q] = kind == kHarmonyKind
                                            ? std::fabs(matrix[p][q])
                                            : std::fabs(std::trunc(matrix[p][q]));
                store_step(partner, i, &kept.partner);
            }
        }
    };
    auto consume = [&](int k, int b) {
        const int first = k * kStepsPerWait, count = prepare(k);
        const int progress = static_cast<int>(static_cast<long long>(first + b) * 100 / 710);
        if (progress != shownProgress && shownProgress < 100) SetProgress(shownProgress = progress);
        if (b + 1 < count) return true;
        if (keep) kept.longitudesFilled = first + count;
        if (count < kStepsPerWait) return true;
        WaitSeconds(0.001);
        return uxRunning();
    };
    const int blocks = (run.divider + kStepsPerWait - 1) / kStepsPerWait;
    if (!RunBlockPipeline(std::max(blocks, 0), 8, false, prepare, compute, consume)) return false;
    if (pairs) kept.partnerKind = kind + 1;
    return true;
}

bool FluctuationOverLimit(int kind, double limit, double value) {
    if (kind == kHarmonyKind || kind == kDynamicsKind)
        return limit >= 0 ? value > limit : value <= limit;
    return value >= limit;
}

int FluctuationEventColumn(double moment, double start, double end, int span) {
    double where = (moment - start) / (end - start) * span;
    // Far outside (or not a number): no conversion to int that could overflow.
    if (!(where > -2 && where < span + 2)) return 0;
    int x = static_cast<int>(where) + 1;
    return x > 0 && x < span ? x : 0;
}

static void print_value_table(const uxArray2Double* curves) {
    if (run.divider > kTableDivider) {
        Print("\n Curve values for intervals only <= 1000 !!!");
        return;
    }
    Print("\n  i/Planet    So        Mo         Me         Ve         Ma          Ju         Sa  "
          "       Ur        Ne         Pl         IC          SUMME  \n");
    Print("\n ");
    for (int i = 0; i < run.divider; ++i) {
        char line[400];
        const char* head = i <= 9 ? " %i   " : i <= 99 ? " %i  " : " %i ";
        int n = std::snprintf(line, sizeof line, head, i);
        for (int row = 1; row <= kPrinciples; ++row)
            n += std::snprintf(line + n, sizeof line - n, "    %7.2f",
                               uxarray2d_get(curves, row, i));
        std::snprintf(line + n, sizeof line - n, "     %8.2f", uxarray2d_get(curves, 0, i));
        Print("%s", line);
        Print("\n ");
    }
}

static void print_limit_count(int kind, const uxArray2Double* curves) {
    int count = 0;
    for (int i = 0; i < run.divider; ++i)
        if (FluctuationOverLimit(kind, run.limits[kind], uxarray2d_get(curves, 0, i))) ++count;
    double percent = static_cast<double>(count) / run.divider * 100;
    Print("\n\n ");
    Print(kContinuumLimitLines[kind], run.limits[kind], run.divider, count, percent);
}

static void print_start_and_step() {
    double year, month, day, hour, minute;
    JulianToCalendar(run.start, &year, &month, &day, &hour, &minute);
    Print(" Start-date (i=0): Jahr:%6.2f  Monat:%6.2f Tag:%6.2f  Stunde:%6.2f  Minute:%6.2f", year,
          month, day, hour, minute);
    Print("\n ");
    Print(" Step size in days: %9.3f", run.step);
    Print("\n ");
}

static void print_period_range(int left, int right) {
    double year, month, day, hour, minute;
    JulianToCalendar(run.start, &year, &month, &day, &hour, &minute);
    Print("\n START:  y %4.2f m %4.2f d %4.2f h %4.2f", year, month, day, hour);
    JulianToCalendar(run.end, &year, &month, &day, &hour, &minute);
    Print("\n   END:  y %4.2f m %4.2f d %4.2f h %4.2f \n", year, month, day, hour);
    Print("\n ixag %i ixeg %i dix %i\n \n ", left, right, right - left);
}

// The events inside the drawn period: printed, marked and counted against the limit.
static void show_events(int kind, int left, int span) {
    Print("\n\n");
    int used = 0, over = 0;
    for (int e = 0; e < run.groupSize; ++e) {
        int x = FluctuationEventColumn(run.eventMoments[e], run.start, run.end, span);
        if (x == 0) continue;
        double year, month, day, hour, minute;
        JulianToCalendar(run.eventMoments[e], &year, &month, &day, &hour, &minute);
        Print("\n year %4.2f month %4.2f day %4.2f hour %4.2f minute %4.2f", year, month, day,
              hour, minute);
        if (run.markMode) uxgraphic_fillrect(left + x, 20, 1, 1040, 0x000000);
        ++used;
        double value = run.eventValues[kind][e];
        Print(kEventValueLines[kind], e, value);
        if (FluctuationOverLimit(kind, run.limits[kind], value)) ++over;
    }
    // No event in the period: nothing is over the limit.
    double percent = used > 0 ? static_cast<double>(over) / used * 100 : 0.0;
    Print(kEventLimitLines[kind], run.limits[kind], used, over, percent);
}

static void fill_colours(uxArray2Int* colours) {
    for (int row = 0; row < kCurveRows; ++row)
        for (int c = 0; c < 3; ++c) uxarray2i_set(colours, row, c, kCurveColourTable[row][c]);
}

// One kind from the curves to its chart; false when the application stops.
static bool show_kind(int kind, uxArray2Double* curves, uxArray2Int* colours) {
    WaitSeconds(1);
    if (!compute_curves(kind, curves)) return false;
    fill_colours(colours);
    Print(" \n Plaese wait: Program draws curves!! \n");
    const int page = kind + 1;
    TextOutput(page);
    ClearOutput();
    Print("\n Curve values of the planetary curves in the calculated period");
    Print("%s", kKindTitles[kind]);
    print_value_table(curves);
    print_limit_count(kind, curves);
    print_start_and_step();

    GraphicOutput(page, 1920, 1080, kWhite);
    FluctuationChart(run.order, curves, colours, 1, kChartFormat, run.tlk, run.start, run.step,
                     run.divider, run.years, run.weights[10] != 0);
    const int left = kChartFormat * 8 / 16, right = kChartFormat * 7;
    print_period_range(left, right);
    if (run.eventMode) show_events(kind, left, right - left);
    DrawText(1440, 180, kKindCaptions[kind], kBlue);
    SetProgress(page * 25);
    WaitSeconds(0.1);
    uxgraphic_save("Zeitq");
    return ModuleGoesOn();
}

// Everything before the computation; false when the run ends early.
static bool ask_parameters() {
    // Only event mode needs the event analysis's format and group size; without them the
    // curves of a period are still computed.
    bool haveFormat = false, formatPresent = false;
    if (std::FILE* file = std::fopen(kMatrixFormatFile, "r")) {
        std::fclose(file);
        formatPresent = true;
        haveFormat = ReadMatrixFormat(&run.last, &run.groupSize);
        if (haveFormat) {
            Print(" \n MIC1= %d Gruppenstaerke = %d     ", run.last, run.groupSize);
            run.groupSize = checked_group_size(run.groupSize);
        }
    }
    run.haveGroup = haveFormat;
    set_up_record();
    Print(" \n  Planetary Fluctuations \n");
    IntroFluctuations(0);
    ask_kind_of_run();
    if (run.eventMode) {
        if (!haveFormat) {
            // A short file was reported by its reader; a missing one is reported as readers do.
            if (!formatPresent)
                Print("\n ERROR! The file %s is missing. ERROR! \n", kMatrixFormatFile);
            return false;
        }
        if (!read_event_settings()) return false;
    } else {
        run.order = InputInt("\n Order of the correlation:  ", 1, 12, 1);
    }
    ask_limits();
    if (!ask_period()) return false;
    if (!run.eventMode) ask_planets();
    if (!ModuleGoesOn()) return false;
    if (run.eventMode && !read_events()) return false;
    return true;
}

void PlanetaryFluctuations() {
    run = {};
    if (!ask_parameters()) return;
    run.step = (run.end - run.start) / run.divider;
    Print(" \n PLEASE WAIT: Program calculates! \n");
    Print(" \n\n  JD Increment: %f  \n\n  ", run.step);

    uxArray2Double curves;
    uxArray2Int colours;
    if (!uxarray2d_create(&curves, kCurveRows, kCurveColumns) ||
        !uxarray2i_create(&colours, kCurveRows, 3)) {
        uxarray2d_destroy(&curves);
        return;
    }
    ResultsCsv* csv = OpenFluctuationsCsv();
    bool finished = csv != nullptr;
    for (int kind = 0; kind < kCorrelationKinds && finished; ++kind) {
        finished = show_kind(kind, &curves, &colours);
        if (finished) WriteFluctuationKind(csv, kind, &curves, run.start, run.step, run.divider);
    }
    if (finished) finished = CloseResultsCsv(csv);
    else if (csv) DiscardResultsCsv(csv);
    uxarray2d_destroy(&curves);
    uxarray2i_destroy(&colours);
    forget_kept();
    if (finished) PlayTada();
}
