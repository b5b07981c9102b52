// Artificial intelligence: searches a period for the moments whose planetary pattern resembles
// the common pattern of an event group (written by the event analysis and the matrix
// probability), lists them on text page 6 and draws the similarity curves on graphic page 6.

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "research/chart_font.h"
#include "research/correlation_matrices.h"
#include "research/matrix_report.h"
#include "research/curves_csv.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "research/moment_threads.h"
#include "research/similarity_measures.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "toolkit/data/uxarray.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kMaxSteps = 100000;
static const int kMaxEventMoments = 10000;  // the event analysis keeps at most this many
static const int kSignificanceColumns = kMatrixPrinciples + 1;
static const char kPicture[] = "ai-1.bmp";

// Rows of the result curves: fidelity of H, I, D, DA, then their KQ, then the middle curve.
enum { kFidelityRow = 0, kCorrelationRow = 4, kMiddleRow = 8, kCurveRows = 9 };

static const int kWhite = 0xFFFFFF;
static const int kBlack = 0x000000;
static const int kBlue = 0x0000FF;
static const int kRed = 0xFF0000;
static const int kCyan = 0x00FFFF;
static const int kMagenta = 0xFF00FF;
// Legend colours of the four kinds: harmony, energy, dynamics, absolute dynamics.
static const int kKindColours[kCorrelationKinds] = {0x00FF00, 0xFF0000, 0x009600, 0x960000};

// One run's inputs, answers and curves; cleared at the start of every run.
static struct {
    int last;  // MIC1
    int order;
    int shiftHours;
    int shiftDays;
    int groupSize;
    double groupRowSums[kCorrelationKinds][kMatrixSize];
    double groupTotals[kCorrelationKinds];  // "Summe-0" .. "Summe-3"
    uxArray1Double eventDates;
    int eventCount;
    SignificanceTable codes[kCorrelationKinds];
    PersonRecord chart;
    double jdStart;
    double jdEnd;
    int steps;  // N
    double dx;
    double step;
    int autoCorrelation;  // 0 or 1
    double weights[kMatrixSize];
    double group[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double gr1;
    int mode;  // 1 elements, 2 row sums, 3 totals
    int asked[kCorrelationKinds];
    int onlyMiddle;
    int significance;
    double planetFlags[kMatrixPrinciples];  // asked, but taking part in nothing
    int criterion;                          // 1 fidelity, 2 correlation, 3 structure
    uxArray2Double curves;                  // kCurveRows x N
    int undefined;                          // comparisons with a pattern of norm 0
} run;

// ---------------------------------------------------------------------------------------------
// Start-up and input files

static void show_start() {
    TextOutput(6);
    ClearOutput();
    Print("\n");
    Print("\n*** Artificial Intelligence ***");
    IntroGeneral(0);
    IntroArtificialIntelligence(0);
    WaitSeconds(5);
    GraphicOutput(1, 1920, 1080, kWhite);
    uxgraphic_clear(kWhite);
    uxgraphic_load(0, 0, "%s", kPicture);
    WaitSeconds(10);
    TextOutput(0);
}

// The format, order, shifts and group size, each checked where a wild value would break the
// computation; false stops the module.
static bool read_parameters() {
    if (!ReadIntList(kMatrixFormatFile, &run.last, 1) || !ReadInt(kOrderFile, &run.order))
        return false;
    Print("\n matrix elements: %i correlation order: %i", run.last, run.order);
    if (run.last != 9 && run.last != 10) {
        Print("\n ERROR! %s: the last principle must be 9 or 10, not %i ! \n", kMatrixFormatFile,
              run.last);
        return false;
    }
    if (run.order < 1 || run.order > 12) {
        Print("\n ERROR! %s: the order must lie in 1..12, not %i ! \n", kOrderFile, run.order);
        return false;
    }
    if (!ReadInt(kTimeShiftHoursFile, &run.shiftHours) ||
        !ReadInt(kTimeShiftDaysFile, &run.shiftDays))
        return false;
    Print("\n time shift h: %i time shift m: %i", run.shiftHours, run.shiftDays);
    if (!ReadGroupSize(&run.groupSize)) return false;
    Print("\n  Events per Group = %i \n ", run.groupSize);
    return true;
}

// Row sums, totals and the event moments of the group.
static bool read_group_sums() {
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (!ReadPrincipleList(kEventRowSumFiles[k], run.groupRowSums[k], run.last)) return false;
    if (!ReadDoubleList(kContinuumMatrixSumFile, run.groupTotals, kCorrelationKinds)) return false;
    run.groupTotals[2] *= 0.01;
    run.groupTotals[3] *= 0.01;
    Print("\n\n Summe-0 %f Summe-1 %f  Summe-2 %f Summe-3 %f  \n\n", run.groupTotals[0],
          run.groupTotals[1], run.groupTotals[2], run.groupTotals[3]);
    run.eventCount = run.groupSize;
    if (run.eventCount > kMaxEventMoments) {
        Print("\n Only the first %i event moments of %s are marked. \n", kMaxEventMoments,
              kEventJulianDatesFile);
        run.eventCount = kMaxEventMoments;
    }
    if (!uxarray1d_create(&run.eventDates, run.eventCount)) {
        Print("\n ERROR! No memory for %i event moments. ERROR! \n", run.eventCount);
        return false;
    }
    return ReadDoubleList(kEventJulianDatesFile, run.eventDates.data, run.eventCount);
}

// The four significance tables; the cells of each table are read in step with the others.
static bool read_significance() {
    int values[kMatrixPrinciples * kSignificanceColumns];
    const int columns = run.last + 2;
    for (int k = 0; k < kCorrelationKinds; ++k) {
        if (!ReadIntList(kSignificanceFiles[k], values, (run.last + 1) * columns)) return false;
        for (int r = 0; r <= run.last; ++r)
            for (int c = 0; c < columns; ++c) run.codes[k][r][c] = values[r * columns + c];
    }
    Print("\n significanceDA\n");
    for (int r = 0; r <= run.last; ++r) {
        Print("\n ");
        for (int c = 0; c <= run.last; ++c) Print("  %d  ", run.codes[kAbsoluteDynamicsKind][r][c]);
        Print("** %d ", run.codes[kAbsoluteDynamicsKind][r][run.last + 1]);
    }
    static const char* const lines[kCorrelationKinds] = {
        "\n matrix-summe-h: %f significance 5pr %d significance 1pr %d",
        "\n matrix-summe-i: %f significance 5pr %d significance 1pr %d",
        "\n matrix-summe-d: %f significance 5pr %d significance 1pr %d",
        "\n matrix-summe-da: %f significance 5pr %d significance 1pr %d"};
    Print("\n\n  Significance ");
    for (int k = 0; k < kCorrelationKinds; ++k) {
        int five, one;
        CountSignificance(run.codes[k], run.last, &five, &one);
        Print(lines[k], run.groupTotals[k], five, one);
    }
    Print("\n\n  line sum ");
    for (int r = 0; r <= run.last; ++r)
        Print("\n zeile: %i h: %7.2f i: %7.2f d: %7.2f da: %7.2f  ", r,
              run.groupRowSums[kHarmonyKind][r], run.groupRowSums[kEnergyKind][r],
              run.groupRowSums[kDynamicsKind][r], run.groupRowSums[kAbsoluteDynamicsKind][r]);
    return true;
}

// The period, the number of steps and the file of the period; false stops the module.
static bool ask_period() {
    int years[6] = {1900, 2000, 1, 1, 1, 1};  // y, y, m, m, d, d
    if (!ReadIntList(kStartEndFile, years, 6)) return false;
    PersonRecord& chart = run.chart;
    chart = PersonRecord{};
    chart.latitudeDegrees = 51;
    chart.latitudeMinutes = 10;
    int minute = -1, second = -1;
    chart.day = years[4], chart.month = years[2], chart.year = years[0], chart.hour = 0;
    InputDate("Enter start-date", &chart.day, &chart.month, &chart.year, &chart.hour, &minute,
              &second);
    if (!ModuleGoesOn()) return false;
    chart.minute = minute, chart.second = second;
    Print("\n  START: %i. %i. %i. %i ", chart.hour, chart.day, chart.month, chart.year);
    run.jdStart = RecordJulianDay(chart);
    const int start[3] = {chart.year, chart.month, chart.day};
    minute = -1, second = -1;
    chart.day = years[5], chart.month = years[3], chart.year = years[1];
    InputDate("Enter end-date", &chart.day, &chart.month, &chart.year, &chart.hour, &minute,
              &second);
    if (!ModuleGoesOn()) return false;
    chart.minute = 0, chart.second = 1;
    Print("\n  ENDE: %i. %i. %i. %i ", chart.hour, chart.day, chart.month, chart.year);
    run.jdEnd = RecordJulianDay(chart);
    Print("\n  JD_start: %f  JD_end: %f Differenz: %f  \n", run.jdStart, run.jdEnd,
          run.jdEnd - run.jdStart);
    Print("\n  ");
    // An empty or reversed period has no steps to search and would divide by zero.
    if (!(run.jdEnd > run.jdStart)) {
        Print("\n ERROR! start-date >= end-date! We search one day from the start. ERROR! \n");
        run.jdEnd = run.jdStart + 1.0;
    }
    run.steps = InputInt(" \nNumber of calculations in the period:", 2, kMaxSteps, 1000);
    if (!ModuleGoesOn()) return false;
    if (run.steps < 2) run.steps = 2;
    if (run.steps > kMaxSteps) run.steps = kMaxSteps;
    const int written[6] = {start[0], chart.year, start[1], chart.month, start[2], chart.day};
    if (!WriteIntList(kStartEndFile, written, 6)) return false;
    run.dx = 1830.0 / run.steps;
    Print("\n Intervallteilerdx: %f ", run.dx);
    run.step = (run.jdEnd - run.jdStart) / run.steps;
    if (uxarray2d_create(&run.curves, kCurveRows, run.steps)) return true;
    Print("\n ERROR! No memory for the curves of %i steps. ERROR! \n", run.steps);
    return false;
}

// Auto-correlation, weights and the group matrices with their printed blocks.
static bool read_group_matrices() {
    int flag = 0;
    if (!ReadInt(kAutoCorrelationFile, &flag)) return false;
    run.autoCorrelation = flag != 0 ? 1 : 0;
    Print("%s", run.autoCorrelation ? "\n  WITH auto-correlation  " : "\n  NO auto-correlation  ");
    if (!ReadPlanetWeights(run.weights, run.last)) return false;
    for (int p = 0; p <= run.last; ++p) {
        Print("\n  ");
        PrintPrincipleName(static_cast<unsigned>(p));
        Print(" weight: %f ", run.weights[p]);
    }
    double values[kMatrixPrinciples * kMatrixPrinciples];
    for (int k = 0; k < kCorrelationKinds; ++k) {
        if (!ReadDoubleList(kEventMatrixFiles[k], values, FullMatrixLines(run.last)))
            return false;
        StoreSymmetric(values, run.last, k == kAbsoluteDynamicsKind ? run.groupSize : 1.0,
                       run.group[k]);
    }
    return true;
}

static const char kHarmonyHead[] =
    "\nPrinciple    I          II        III         IV         V          VI         VII        VIII       IX          X         IC          SUMME  \n";
static const char kHarmonyHeadWithoutIc[] =
    "\nPrinciple    I          II        III         IV         V          VI         VII        VIII       IX          X        SUMME  \n";
static const char kKindHead[] =
    "\nPrinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          IC         SUMME  \n";
static const char kKindHeadWithoutIc[] =
    "\nPrinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          SUMME  \n";

static const MatrixTableLayout kGroupTables[kCorrelationKinds] = {
    {"\n Matrix of common harmony ", kHarmonyHead, kHarmonyHeadWithoutIc, "    %7.2f",
     "     %8.2f", " Harmony of command wave: %9.2f \n"},
    {"\n Matrix of common energy (standardize of number of elements ) ", kKindHead,
     kKindHeadWithoutIc, "    %7.2f", "     %8.2f", " energy of command wave: %9.2f \n"},
    {"\n Matrix of common of time dynamics ", kKindHead, kKindHeadWithoutIc, "    %7.2f",
     "     %8.2f", " Time dynamics of command wave : %9.2f \n"},
    {"\n Matrix of common of time dynamics (absolute)", kKindHead, kKindHeadWithoutIc,
     "    %7.2f", "     %8.2f", " Time dynamics of command wave (absolute): %9.2f \n"},
};

// The printed blocks; their row sums become the group's row sums, the harmony total "Summe-0".
static void print_group_matrices() {
    Print("\n Outlay matrix coherent analysis ");
    Print("\n Number of the elements : %d ", run.groupSize);
    Print("\n Degree of correlation %i time shift h %i ", run.order, run.shiftHours);
    for (int k = 0; k < kCorrelationKinds; ++k) {
        double printed[kMatrixSize][kMatrixSize] = {};
        const double scale = RowSumScale(k, run.groupSize);
        for (int r = 0; r <= run.last; ++r)
            for (int c = 0; c <= run.last; ++c) printed[r][c] = run.group[k][r][c] * scale;
        double total = PrintMatrixTable(kGroupTables[k], printed, run.last, run.groupRowSums[k]);
        if (k == kHarmonyKind) run.groupTotals[0] = total;
    }
    Print("\n  End of matrix input h,i,d,da ");
}

// ---------------------------------------------------------------------------------------------
// Dialogue

static int yes_no(const char* question, int defaultYes) {
    int answer = InputYesNo(question, defaultYes);
    return answer < 0 ? -1 : answer == 1 ? 1 : 0;
}

// Limit, mode, curves, significance, planets and criterion; false when the application stops.
static bool ask_choices() {
    run.gr1 = InputDouble(" limit H, I, D and DA : ", -1000.0, 1000.0, 0.0);
    if (!ModuleGoesOn()) return false;
    Print("\n  gr1: %f", run.gr1);
    static const char* const modes[] = {"all matrix elements", "matrix line vektor",
                                        "sum of the matrices"};
    run.mode = ChooseOption("Argument selection", 3, modes);
    if (run.mode < 1) return false;
    Print("\n  choice: %d  ", run.mode);
    static const char* const questions[] = {
        "Curve calculation for amplitude?", "Curve calculation for intensity?",
        "Curve calculation for dynamics?", "Curve calculation for dynamic energy?"};
    for (int k = 0; k < kCorrelationKinds; ++k)
        if ((run.asked[k] = yes_no(questions[k], 1)) < 0) return false;
    if ((run.onlyMiddle = yes_no("show only middle curve?", 1)) < 0) return false;
    if (run.mode == 1 || run.mode == 2) {
        if ((run.significance = yes_no("Should only significance be selected ?", 0)) < 0)
            return false;
    }
    if (run.mode == 1 && run.significance && run.groupSize == 1) {
        Print("\n\n Group size is 1 !!!  NO significance calculation possible !\t");
        run.significance = 0;
    }
    if (run.mode == 1 && !run.significance) {
        int select = yes_no("Should planets be selected ?", 0);
        if (select < 0) return false;
        if (select) {
            TextOutput(5);
            Print("\n \tselection of the planets \n  ");
            for (int p = 0; p <= run.last; ++p) {
                Print("\n planet: %d  ", p + 1);
                PrintPrincipleName(static_cast<unsigned>(p));
                run.planetFlags[p] = InputDouble(": yes=1 no=0 :     ", 0.0, 1.0, 0.0);
                if (!ModuleGoesOn()) return false;
            }
        }
    }
    if (run.mode == 2) TextOutput(6);
    Print("\n\n Interval divider: %i ", run.steps);
    Print("\n Interval divider dx: %f \n", run.dx);
    if (run.significance)
        for (int k = 0; k < kCorrelationKinds; ++k) {
            ReduceSignificance(run.codes[k], run.last);
            ApplySignificance(run.codes[k], run.last, run.group[k]);
        }
    static const char* const criteria[] = {"Fidelity", "Correlation", "Structure"};
    run.criterion = ChooseOption("Selektion of the criterion", 3, criteria);
    if (run.criterion < 1) return false;
    TextOutput(6);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The search

static const char* const kMeasureLines[3][kCorrelationKinds] = {
    {"\nAmplitudes Fidelit\xe4t: %f KQ: %f RS: %f", "\nIntensity  Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nDynamic > gr1 Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nDynamic abs  Fidelit\xe4t: %f KQ: %f RS: %f"},
    {"\nsum vector harmony Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector energy Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector dynamic Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector abs dynamic Fidelit\xe4t: %f KQ: %f RS: %f"},
    {"\nsum vector abs dynamic Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector abs dynamic Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector abs dynamic Fidelit\xe4t: %f KQ: %f RS: %f",
     "\nsum vector abs dynamic Fidelit\xe4t: %f KQ: %f RS: %f"},
};

// The measures of one kind at one step.
static SimilarityMeasures measure_kind(int kind, const MomentPattern& pattern,
                                       TotalSimilaritySums* totals) {
    if (run.mode == 1) return ElementSimilarity(run.group[kind], pattern.matrices[kind], run.last);
    if (run.mode == 2)
        return RowSumSimilarity(run.groupRowSums[kind], pattern.rowSums[kind], run.last);
    return AddTotalSimilarity(totals, run.groupTotals[kind], pattern.totals[kind]);
}

static void print_match(int kind, int o, const SimilarityMeasures& m) {
    const PersonRecord& c = run.chart;
    Print(kMeasureLines[run.mode - 1][kind], m.fidelity, m.correlation, m.structure);
    if (run.mode == 1 && kind == kAbsoluteDynamicsKind)
        Print("\n  zyklus %d  Date: %d-%d-%d-%d-%d \n", o, c.year, c.month, c.day, c.hour,
              c.minute);
    else
        Print("\n  zyklus %d  Date: %d-%d-%d-%d-%d ", o, c.year, c.month, c.day, c.hour,
              c.minute);
    if (o == 1) Print("  gr1: %f %d \n", run.gr1, run.criterion);
}

static const int kStepsPerBlock = 256;

// The pattern of the step `o` into `pattern`.
static void compute_pattern(int o, const SignificanceTable* codes, PersonRecord* c,
                            PositionRecord* positions, MomentPattern* pattern) {
    double harmony[kMatrixSize][kMatrixSize];
    double dynamics[kMatrixSize][kMatrixSize];
    double jd = run.jdStart + o * run.step;
    CalendarFromJulianDay(jd, &c->year, &c->month, &c->day, &c->hour, &c->minute);
    c->second = 0;
    PlanetPositions(*c, positions);
    BuildMomentMatrices(run.order, positions->longitude, harmony, dynamics);
    BuildMomentPattern(harmony, dynamics, run.weights, run.autoCorrelation, codes, run.groupSize,
                       run.last, pattern);
}

// One moment per step, the moments' patterns in blocks computed on all cores; the measures,
// lines, progress and waits follow step by step on the main thread, as in a single loop, while
// the threads compute the next block. The two block buffers are allocated once, before the loop.
// False when the application stops.
static bool search_period() {
    const int block = std::min(kStepsPerBlock, std::max(run.steps, 1));
    std::vector<MomentPattern> patterns[2];
    for (std::vector<MomentPattern>& p : patterns) p.resize(block);
    EnsureWaveTablesForOrder(run.order);  // filled before the threads read it
    PersonRecord& c = run.chart;  // the main thread's: each step's date for its lines
    const PersonRecord place = run.chart;  // the threads' copy: the main thread writes c
    const SignificanceTable* codes = run.significance ? run.codes : nullptr;
    auto prepare = [&](int k) { return std::min(block, run.steps - k * block); };
    auto compute = [&](int k, int begin, int end) {
        PersonRecord chart = place;
        PositionRecord positions{};
        for (int b = begin; b < end; ++b)
            compute_pattern(k * block + b, codes, &chart, &positions, &patterns[k & 1][b]);
    };
    auto consume = [&](int blockIndex, int b) {
        const MomentPattern& pattern = patterns[blockIndex & 1][b];
        const int o = blockIndex * block + b;
        double jd = run.jdStart + o * run.step;
        CalendarFromJulianDay(jd, &c.year, &c.month, &c.day, &c.hour, &c.minute);
        c.second = 0;
        TotalSimilaritySums totals = {0.0, 0.0, 0.0};
        double fidelitySum = 0.0;
        int askedCount = 0;
        for (int k = 0; k < kCorrelationKinds; ++k) {
            if (!run.asked[k]) continue;
            SimilarityMeasures m = measure_kind(k, pattern, &totals);
            if (!m.defined) ++run.undefined;
            if (CriterionValue(m, run.criterion) > run.gr1) print_match(k, o, m);
            uxarray2d_set(&run.curves, kFidelityRow + k, o, m.fidelity);
            uxarray2d_set(&run.curves, kCorrelationRow + k, o, m.correlation);
            fidelitySum += m.fidelity;
            ++askedCount;
        }
        if (run.mode == 3 && run.steps <= 100) {
            Print("\n sum matrix :");
            for (int k = 0; k < kCorrelationKinds; ++k)
                Print(" *j=%d * sumobj: %3.3f  sumbild %3.3f", k, run.groupTotals[k],
                      pattern.totals[k]);
            Print("\n  zyklus %d  Date: %d-%d-%d-%d-%d \n", o, c.year, c.month, c.day, c.hour,
                  c.minute);
        }
        uxarray2d_set(&run.curves, kMiddleRow, o, askedCount ? fidelitySum / askedCount : 0.0);
        SetProgress(static_cast<int>((o + 1) * 100LL / run.steps));
        WaitSeconds(0.001);
        return uxRunning();
    };
    const int blocks = (run.steps + block - 1) / block;
    if (!RunBlockPipeline(std::max(blocks, 0), 4, false, prepare, compute, consume)) return false;
    if (run.undefined)
        Print("\n NOTE: %d comparisons met a pattern without any weight (sum of squares 0);"
              " their measures are 0. \n",
              run.undefined);
    return true;
}

// ---------------------------------------------------------------------------------------------
// The chart on graphic page 6

static void draw_frame() {
    static const char* const titles[] = {
        "graphic artificial_intelligence * elements of the Matrix ",
        "graphic artificial_intelligence * row sums of the matrix (planets) ",
        "graphic artificial_intelligence * sum of all elements of the matrix "};
    // Texts are drawn with their top 13 pixels above y: the top row sits at 13 to show whole.
    DrawText(20, 13, titles[run.mode - 1], kBlue);
    DrawText(550, 50, "*** Harmony ", kKindColours[kHarmonyKind]);
    DrawText(750, 50, "*** Energy ", kKindColours[kEnergyKind]);
    DrawText(950, 50, "*** Dynamic ", kKindColours[kDynamicsKind]);
    DrawText(1150, 50, "*** Dynamic abs", kKindColours[kAbsoluteDynamicsKind]);
    DrawText(1350, 50, "*** SUM ", kCyan);
    if (run.criterion == 1) DrawText(1000, 13, "Fidelity ", kBlue);
    if (run.criterion == 2) DrawText(1000, 13, "Correlation ", kRed);
    if (run.criterion == 3) DrawText(1000, 13, "Structure ", kMagenta);
    DrawColouredTextF(1500, 13, kBlack, " H=%d I=%d D=%d DA=%d ", run.asked[0], run.asked[1],
                      run.asked[2], run.asked[3]);
    uxgraphic_fillrect(20, 1060, 1850, 3, kBlack);
    uxgraphic_fillrect(60, 20, 3, 1040, kBlack);
    for (int i = 0; i < 16; ++i) uxgraphic_fillrect(60 + 120 * i, 20, 3, 23, kBlack);
    uxgraphic_fillrect(60, 20, 1850, 2, kBlack);
    for (int i = 0; i < 21; ++i) uxgraphic_fillrect(60, 20 + 53 * i, 23, 3, kBlack);
}

static bool mark_events() {
    int mark = yes_no("mark events?", 1);
    if (mark < 0) return false;
    if (!mark) return true;
    for (int e = 0; e < run.eventCount; ++e) {
        double jd = run.eventDates.data[e];
        int x = SimilarityEventX(jd, run.jdStart, run.jdEnd);
        uxgraphic_fillrect(x + 60, 20, 1, 1040, kBlack);
        if (run.groupSize <= 3) {
            int year, month, day, hour, minute;
            CalendarFromJulianDay(jd, &year, &month, &day, &hour, &minute);
            DrawColouredTextF(x + 56, 140, kRed, " %d-%d-%d-h%d m%d", year, month, day, hour,
                              minute);
        }
    }
    return true;
}

static void draw_curve(int row, int colour) {
    for (int o = 0; o < run.steps; ++o) {
        int x = SimilarityStepX(o, run.dx);
        int y = SimilarityCurveY(uxarray2d_get(&run.curves, row, o));
        if (o == 0) uxgraphic_moveto(x, y);
        else uxgraphic_lineto(x, y, colour);
    }
}

// The curves and the squares of the steps above the limit; false when the application stops.
static bool draw_curves() {
    if (run.onlyMiddle) {
        draw_curve(kMiddleRow, kCyan);
        for (int o = 0; o < run.steps; ++o) {
            double value = uxarray2d_get(&run.curves, kMiddleRow, o);
            if (value > run.gr1)
                uxgraphic_fillrect(SimilarityStepX(o, run.dx), SimilarityCurveY(value), 3, 3,
                                   kCyan);
        }
        return true;
    }
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (run.asked[k]) draw_curve(kFidelityRow + k, kKindColours[k]);
    for (int o = 0; o < run.steps; ++o) {
        for (int k = 0; k < kCorrelationKinds; ++k) {
            if (!run.asked[k]) continue;
            double value = uxarray2d_get(&run.curves, kFidelityRow + k, o);
            if (value > run.gr1)
                uxgraphic_fillrect(SimilarityStepX(o, run.dx), SimilarityCurveY(value), 3, 3,
                                   kKindColours[k]);
        }
        SetProgress(static_cast<int>((o + 1) * 100LL / run.steps));
        WaitSeconds(0.001);
        if (!uxRunning()) return false;
    }
    return true;
}

// The "-1" line lies on the page's lower edge; its label sits above the first date label.
static const int kMinusOneLabelY = 1024;

static void draw_reference_lines() {
    // The limit may be any number; keep its pixel row inside the int range.
    double limitOffset = 530.0 * run.gr1;
    if (!(limitOffset < 100000.0)) limitOffset = 100000.0;
    if (limitOffset < -100000.0) limitOffset = -100000.0;
    const int limitRow = static_cast<int>(limitOffset);
    uxgraphic_fillrect(60, 20, 1850, 1, kBlue);
    DrawColouredTextF(65, 40, kBlue, "%d", 1);
    uxgraphic_fillrect(60, 550 - limitRow, 1850, 1, kBlue);
    // The limit's label stays on the page, and moves right of the "1", "0" and "-1" labels
    // when it would share their rows.
    const int fontHeight = uxgraphic_fontheight();
    int limitY = 530 - limitRow;
    if (limitY < 13) limitY = 550 - limitRow + 20;  // under its line near the top edge
    if (limitY > 1080 - fontHeight + 13) limitY = 1080 - fontHeight + 13;
    int limitX = 65;
    const int besideX = 65 + uxgraphic_textwidth("-1") + uxgraphic_textwidth("  ");
    for (int labelY : {40, 530, kMinusOneLabelY})
        if (limitY < labelY + fontHeight && labelY < limitY + fontHeight) limitX = besideX;
    DrawColouredTextF(limitX, limitY, kBlue, "%2.2f", run.gr1);
    uxgraphic_fillrect(60, 550, 1850, 1, kBlue);
    DrawColouredTextF(65, 530, kBlue, "%d", 0);
    uxgraphic_fillrect(60, 1080, 1850, 1, kBlue);
    DrawColouredTextF(65, kMinusOneLabelY, kBlue, "%d", -1);
}

static void draw_date_axis() {
    // Fewer than 15 steps would give every tick 0 steps: those ticks take their share of a
    // step instead, so that each shows its own moment.
    const double stepsPerTick =
        run.steps < 15 ? run.steps * 120 / 1800.0 : static_cast<double>(run.steps * 120 / 1800);
    // The two label rows lie 19 pixels apart: the compact font keeps them apart.
    const int pageFont = UseCompactChartFont();
    int rowEnd[2] = {0, 0};  // right end of the last label in each row
    for (int i = 0; i < 16; ++i) {
        uxgraphic_fillrect(60 + 120 * i, 1037, 3, 23, kBlack);
        double jd = run.jdStart + stepsPerTick * i * run.step;
        int year, month, day, hour, minute;
        CalendarFromJulianDay(jd, &year, &month, &day, &hour, &minute);
        char label[80];
        std::snprintf(label, sizeof label, " %d-%d-%d-h%d-m%d ", year, month, day, hour, minute);
        int x = i == 0 ? 20 : 120 * i + 30;
        int y = i == 0 ? 1050 : i % 2 ? 1028 : 1047;
        const int width = uxgraphic_textwidth(label);
        if (x + width > 1920) x = 1920 - width;  // the last label ends at the page edge
        // A label moved onto its row's previous one is left out.
        if (x + uxgraphic_textwidth(" ") < rowEnd[i % 2]) continue;
        rowEnd[i % 2] = x + width;
        DrawText(x, y, label, kRed);
    }
    RestoreChartFont(pageFont);
}

static bool draw_chart() {
    static const char* const headings[] = {
        " \n \n graphic * artificial_intelligence  * elements of the Matrix\n",
        " \n \n graphic * artificial_intelligence  * row sums of the matrix (planets)\n",
        " \n \n graphic * artificial_intelligence  * sum of all elements of the matrix\n"};
    static const char* const criteria[] = {" \n \n Fidelity \n", " \n \n Correlation \n",
                                           " \n \n Structure \n"};
    Print("\n\n");
    Print("%s", headings[run.mode - 1]);
    Print("%s", criteria[run.criterion - 1]);
    GraphicOutput(6, 1920, 1080, kWhite);
    draw_frame();
    if (!mark_events() || !draw_curves()) return false;
    draw_reference_lines();
    draw_date_axis();
    // No extension: the save only reports the unsupported format, as every chart named "group".
    uxgraphic_save("%s", "group");
    return true;
}

static void run_module() {
    show_start();
    if (!ModuleGoesOn() || !read_parameters() || !read_group_sums() || !read_significance() ||
        !ask_period() || !read_group_matrices())
        return;
    print_group_matrices();
    if (!ask_choices() || !search_period() || !draw_chart()) return;
    if (!WriteSimilarityCsv(&run.curves, kFidelityRow, kCorrelationRow, kMiddleRow, run.asked,
                            run.jdStart, run.step, run.steps))
        return;
    PlayTada();
}

void ArtificialIntelligence() {
    run = {};
    run_module();
    uxarray2d_destroy(&run.curves);
    uxarray1d_destroy(&run.eventDates);
}
