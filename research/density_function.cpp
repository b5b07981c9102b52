// Statistics 2 - Density function: how unusual the event group is. G random control groups of
// m moments each give four group values (the mean matrix sums H, I, D, DA), counted in 39
// classes around the continuum's matrix sums; four charts show the histograms with the event
// group's class marked.

#include "research/chart_font.h"
#include "research/control_groups.h"
#include "research/density_classes.h"
#include "research/density_csv.h"
#include "research/results_csv.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "astro/julian.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "research/matrix_report.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

// Enough for any study; G * m stays far inside the exact range of a double.
static const int kMaxGroups = 10000000;
static const int kBaseLine = 900;
static const int kClassSpacing = 45;

static const char* const kPrincipleNames[11] = {"sun    ", "moon   ", "mercury", "venus  ",
                                                "mars   ", "jupiter", "saturn ", "uranus ",
                                                "neptun ", "pluto  ", "IC     "};

// One run's parameters, tables and working arrays; cleared at the start of every run.
static struct {
    int periodFile[6];  // start year, end year, start month, end month, start day, end day
    int start[6];       // day, month, year, hour, minute, second
    int end[6];
    double jdStart;
    double jdEnd;
    int last;
    int order;
    int shiftHours;
    int shiftDays;
    int selfCorrelation;
    int members;
    int groups;
    int automatic;
    double eventRows[kCorrelationKinds][kMatrixSize];
    double continuumSums[kCorrelationKinds];
    double eventSums[kCorrelationKinds];
    double weights[kMatrixSize];
    double classBegin[kCorrelationKinds];  // Begin and End of the class limits
    double classEnd[kCorrelationKinds];
    double limits[kCorrelationKinds][kDensityClasses];
    double counts[kCorrelationKinds][kDensityClasses];
    double markers[kCorrelationKinds][kDensityClasses];
    double minimum[kCorrelationKinds];
    double maximum[kCorrelationKinds];
    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double means[kCorrelationKinds][kMatrixSize][kMatrixSize];
    ControlGroupSampler sampler;
} run;

static double zone_one_julian_day(const int moment[6]) {
    return JulianDay(moment[2], moment[1], moment[0], moment[3], moment[4], moment[5], 1);
}

// Truncation toward zero for chart numbers; values outside the int range (hand-entered
// limits) are held at its ends instead of overflowing.
static int truncated(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483647.0) return -2147483647;
    return static_cast<int>(value);
}

static void print_continuum_sums() {
    Print("\ncontinuum matrix-summe-h: %f ", run.continuumSums[kHarmonyKind]);
    Print("\ncontinuum matrix-summe-i: %f ", run.continuumSums[kEnergyKind]);
    Print("\ncontinuum matrix-summe-d: %f ", run.continuumSums[kDynamicsKind]);
    Print("\ncontinuum matrix-summe-da: %f \n", run.continuumSums[kAbsoluteDynamicsKind]);
}

static void print_event_sums(const char* firstFormat) {
    Print(firstFormat, run.eventSums[kHarmonyKind]);
    Print("\nevent matrix-summe-i: %f ", run.eventSums[kEnergyKind]);
    Print("\nevent matrix-summe-d: %f ", run.eventSums[kDynamicsKind]);
    Print("\nevent matrix-summe-da: %f \n", run.eventSums[kAbsoluteDynamicsKind]);
}

// Heading, intros and the period; false when a file is missing or the application stops.
static bool ask_period() {
    Print("\n ");
    Print("\n RESEARCH Orvane ");
    Print("\n Density-function  \n ");
    if (!ReadIntList(kStartEndFile, run.periodFile, 6)) return false;
    IntroGeneral(0);
    IntroDensity(0);
    const int* f = run.periodFile;
    int* s = run.start;
    s[0] = f[4], s[1] = f[2], s[2] = f[0], s[3] = 0, s[4] = 0, s[5] = -1;
    InputDate("Enter start-date", &s[0], &s[1], &s[2], &s[3], &s[4], &s[5]);
    int* e = run.end;
    e[0] = f[5], e[1] = f[3], e[2] = f[1], e[3] = s[3], e[4] = s[4], e[5] = s[5];
    InputDate("Enter end-date", &e[0], &e[1], &e[2], &e[3], &e[4], &e[5]);
    if (!ModuleGoesOn()) return false;
    run.jdStart = zone_one_julian_day(s);
    run.jdEnd = zone_one_julian_day(e);
    Print("\n  JD_start: %f  JD_end: %f Differenz: %f  \n", run.jdStart, run.jdEnd,
          run.jdEnd - run.jdStart);
    return true;
}

// The files of the continuum and the event analysis; false at the first one missing.
static bool read_results() {
    Print("\n ATTENTION! The program: - Team or Event Analysis- must have calculated first!   \n");
    int groupSize = 0;
    if (!ReadMatrixFormat(&run.last, &groupSize)) return false;
    Print("\n MIC1: %i ", run.last);
    if (!ReadInt(kOrderFile, &run.order) || !ReadInt(kTimeShiftHoursFile, &run.shiftHours) ||
        !ReadInt(kTimeShiftDaysFile, &run.shiftDays))
        return false;
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (!ReadPrincipleList(kEventRowSumFiles[k], run.eventRows[k], run.last)) return false;
    // The control groups are set against the event row sums, so they take the flag the event
    // matrices were made with, not the continuum's.
    if (!ReadDoubleList(kContinuumMatrixSumFile, run.continuumSums, kCorrelationKinds) ||
        !ReadInt(kAutoCorrelationFile, &run.selfCorrelation))
        return false;
    if (run.selfCorrelation == 1)
        Print("\n\n !!! Calculations with self-correlation !!! \n\n ");
    else
        Print("\n\n Calculations without self-correlation  \n\n ");
    Print("\n  ");
    if (!ReadGroupSize(&run.members)) return false;
    Print("\n  Events per Group = %i \n ", run.members);
    Print("\n\n Continuum analysis results:");
    Print("\n  ");
    print_continuum_sums();
    if (!ReadDoubleList(kEventMatrixSumFile, run.eventSums, kCorrelationKinds)) return false;
    Print("\n\n Event analysis results:");
    Print("\n  ");
    print_event_sums("\nevent matrix-summe-h: %f ");
    PrintEventRowSums(run.eventRows, run.last, run.order);
    return true;
}

// Number of groups, weights and the automatic interval; false when a file is missing or the
// application stops.
static bool ask_groups() {
    run.groups = InputInt("Number of the groups (calculations):", 1, kMaxGroups, 10000);
    if (!ModuleGoesOn()) return false;
    if (run.groups < 2) {
        Print("\n ERROR! Number of the groups must be > 1. We set 10000; ERROR! ");
        run.groups = 10000;
    }
    if (run.groups > kMaxGroups) run.groups = kMaxGroups;
    if (!ReadPlanetWeights(run.weights, run.last)) return false;
    if (run.last < 10) run.weights[10] = 0.0;
    for (int p = 0; p <= run.last; ++p) {
        Print("\n  ");
        Print("%s", kPrincipleNames[p]);
        Print(" weight: %f ", run.weights[p]);
    }
    run.automatic = InputYesNo("Interval-establishing automatically?", 1);
    if (!ModuleGoesOn()) return false;
    StartControlGroups(&run.sampler, run.order, run.last, run.jdStart, run.jdEnd, run.groups,
                       run.members);
    Print("\n Julian-date-start: %f Julian-date-end: %f", run.jdStart, run.jdEnd);
    if (run.sampler.moments > 1000000.0)
        Print("\n  WARNUNG! Intervallteiler > 1 000 000 \n ");
    return true;
}

static void set_automatic_limits() {
    static const char* const formats[kCorrelationKinds] = {
        "\n  Gr-Number: %d ORD: %d BeginH= %3.2f  EndH= %3.2f ",
        "\n  Gr-Number: %d ORD: %d BeginI= %3.2f  EndI= %3.2f ",
        "\n  Gr-Number: %d ORD: %d BeginD= %3.2f  EndD= %3.2f ",
        "\n  Gr-Number: %d ORD: %d BeginDA= %3.2f  EndDA= %3.2f \n "};
    for (int k = 0; k < kCorrelationKinds; ++k) {
        const double amplitude = DensityAmplitude(k, run.order, run.members);
        run.classBegin[k] = run.continuumSums[k] - amplitude - 1;
        run.classEnd[k] = run.continuumSums[k] + amplitude + 1;
        Print(formats[k], run.members, run.order, run.classBegin[k], run.classEnd[k]);
    }
    print_continuum_sums();
    print_event_sums("\n\nevent matrix-summe-h: %f ");
}

// Hand-entered limits, kind by kind; false when the application stops.
static bool ask_manual_limits() {
    static const char* const headings[kCorrelationKinds] = {
        "\n automatically generated values (matrix-sum - Amplitude) \n",
        "\n automatically generated values (matrix-sum-energy) \n",
        "\n automatically generated values (matrix-sum-dynamic) \n",
        "\n automatically generated values (matrix-sum-abs dynamic) \n"};
    for (int k = 0; k < kCorrelationKinds; ++k) {
        Print("%s", headings[k]);
        Print(" Begin= %f  End= %f", run.classBegin[k], run.classEnd[k]);
        const int answer = InputYesNo("New values input?", 1);
        if (!ModuleGoesOn()) return false;
        if (answer != 1) continue;
        const bool signedKind = k == kHarmonyKind || k == kDynamicsKind;
        const double low = signedKind ? -10000.0 : 1.0;
        const char* beginMessage = k == kHarmonyKind ? "Begin:? " : "  Begin:? ";
        run.classBegin[k] = InputDouble(beginMessage, low, 10000.0, 0);
        run.classEnd[k] = InputDouble("  End:? ", low, 10000.0, 0);
        if (!ModuleGoesOn()) return false;
        Print("\n Inputed: \n");
        Print(k == kHarmonyKind ? " Begin= %f  End= %f" : " Begin= %f End= %f", run.classBegin[k],
              run.classEnd[k]);
    }
    return true;
}

static void set_class_limits() {
    static const char* const headings[kCorrelationKinds] = {
        "\n\n Testgrenzen sum H \n", "\n\n Testgrenzen sum I \n", "\n\n Testgrenzen sum D \n",
        "\n\n Testgrenzen sum DA \n"};
    const double begin = run.classBegin[kHarmonyKind], end = run.classEnd[kHarmonyKind];
    Print("\n\n Begin= %2.2f End= %2.2f Faktorh %2.2f", begin, end, (end - begin) / 38);
    for (int k = 0; k < kCorrelationKinds; ++k) {
        DensityClassLimits(run.classBegin[k], run.classEnd[k], run.limits[k]);
        Print("%s", headings[k]);
        for (int j = 0; j < kDensityClasses; ++j) Print(" %3.2f ", run.limits[k][j]);
    }
}

static void start_extremes() {
    static const double minimum[kCorrelationKinds] = {0.0, 200.0, 0.0, 20000.0};
    static const double maximum[kCorrelationKinds] = {0.0, 1.0, 0.0, 1.0};
    for (int k = 0; k < kCorrelationKinds; ++k) {
        run.minimum[k] = minimum[k];
        run.maximum[k] = maximum[k];
    }
}

// The hot loop: every array it touches lives in `run`. False when the application stops, so
// that no partial histogram is drawn.
static bool count_groups() {
    Print("\n Main cycle \n");
    WaitSeconds(0.5);
    ClearAccumulators(run.accumulators);
    for (int k = 0; k < kCorrelationKinds; ++k)
        for (int j = 0; j < kDensityClasses; ++j) run.counts[k][j] = run.markers[k][j] = 0.0;
    start_extremes();
    Print("\n\n Main cycle - number of groups: %d group size: %d", run.groups, run.members);
    WaitSeconds(1.0);
    const bool printValues = run.members == 1 && run.groups <= 10;
    ResultsCsv* csv = OpenDensityCsv();
    if (!csv) return false;
    // The groups come in blocks computed on all cores; the classes, progress and waits follow
    // group by group on the main thread, as in a single loop.
    const bool sampled = SampleControlGroups(
        &run.sampler, run.members, run.groups, run.weights, run.selfCorrelation,
        [&](int g, const ControlGroupMeans& group) {
            double values[kCorrelationKinds];
            for (int k = 0; k < kCorrelationKinds; ++k) {
                values[k] = MatrixSum(group.means[k], run.last);
                if (values[k] < run.minimum[k]) run.minimum[k] = values[k];
                if (values[k] > run.maximum[k]) run.maximum[k] = values[k];
            }
            if (printValues)
                Print("\n H= %f  I= %f D= %f DA= %f", values[0], values[1], values[2], values[3]);
            WriteDensityGroup(csv, g + 1, values);
            for (int k = 0; k < kCorrelationKinds; ++k) {
                CountInClass(values[k], run.limits[k], run.counts[k]);
                CountInClass(run.eventSums[k], run.limits[k], run.markers[k]);
            }
            SetProgress(static_cast<int>(static_cast<long long>(g + 1) * 100 / run.groups));
            WaitSeconds(0.001);
            return uxRunning();
        });
    if (!sampled) {
        DiscardResultsCsv(csv);
        return false;
    }
    if (!CloseResultsCsv(csv)) return false;
    Print(" \n ENDE Number of groups ");
    print_continuum_sums();
    Print(" \n \n!!! Limits:\n  minH: %3.2f maxH : %3.2f \n  minI: %3.2f maxI: %3.2f ",
          run.minimum[0], run.maximum[0], run.minimum[1], run.maximum[1]);
    Print(" \n  minD: %3.2f maxD : %3.2f \n  minDA: %3.2f maxDA: %3.2f \n\n ", run.minimum[2],
          run.maximum[2], run.minimum[3], run.maximum[3]);
    WaitSeconds(0.5);
    return true;
}

// Where the heading block of a chart goes: page 1 has its own layout, pages 2 to 4 share one.
struct DensityChartLayout {
    const char* title;
    int titleY;
    int countsY[3];
    int planetsY;
    int flagsY;
    int selfY;
    int selectionY;
    int periodY;
    int captionX;
    int captionY[4];
    const char* eventLabel;
    const char* saveName;
};

static const DensityChartLayout kChartLayouts[kCorrelationKinds] = {
    {"SUM OF THE CORRELATION MATRIX", 20, {35, 55, 75}, 145, 134, 160, 190, 105, 3,
     {925, 970, 1010, 1030}, "event H", "grafH%d"},
    {"ENERGY: sum of the Matrix", 13, {30, 50, 70}, 100, 89, 117, 140, 170, 3,
     {935, 975, 1015, 1035}, "event I", "grafI%d"},
    {"DYNAMIC: sum of the Matrix", 13, {30, 50, 70}, 100, 89, 117, 140, 170, 3,
     {935, 975, 1015, 1035}, "event D", "grafD%d"},
    {"DYNAMIC ABSOLUT: sum of the Matrix", 13, {30, 50, 70}, 100, 89, 117, 140, 170, 3,
     {935, 975, 1015, 1035}, "event DA", "grafD%d"},
};

static void draw_chart_heading(const DensityChartLayout& layout) {
    const int blue = MakeColour(0, 0, 255);
    const int* s = run.start;
    const int* e = run.end;
    DrawText(20, layout.titleY, layout.title, blue);
    DrawColouredTextF(20, layout.countsY[0], blue, "Number of groups: %i ", run.groups);
    DrawColouredTextF(20, layout.countsY[1], blue, "Group members: %i ", run.members);
    DrawColouredTextF(20, layout.countsY[2], blue, "Order correlation: %i ", run.order);
    DrawColouredTextF(20, layout.periodY, blue,
                      "START: day: %i month: %i year: %i  END: day: %i month: %i year: %i  ",
                      s[0], s[1], s[2], e[0], e[1], e[2]);
    DrawText(20, layout.planetsY, "Planets:", blue);
    for (int p = 0; p <= 10; ++p)
        DrawColouredTextF(150 + 20 * p, layout.flagsY, blue, "%i-", run.weights[p] != 0.0 ? 1 : 0);
    DrawText(20, layout.selfY,
             run.selfCorrelation ? "With auto-correlation" : "Without auto-correlation", blue);
    DrawText(20, layout.selectionY, "accidental selection", blue);
}

static void draw_captions(const DensityChartLayout& layout) {
    const int red = MakeColour(255, 0, 0);
    const int blue = MakeColour(0, 0, 255);
    const int green = MakeColour(0, 200, 0);
    DrawText(layout.captionX, layout.captionY[0], "Trff", red);
    DrawText(layout.captionX, layout.captionY[1], "Brch", blue);
    DrawText(layout.captionX, layout.captionY[2], "Przt", green);
    DrawText(layout.captionX, layout.captionY[3], " *10", green);
}

// The histogram of one kind: bars, event marker and the three numbers under each class.
static void draw_classes(int kind, const DensityChartLayout& layout) {
    const int red = MakeColour(255, 0, 0);
    const int blue = MakeColour(0, 0, 255);
    const int green = MakeColour(0, 200, 0);
    const int black = MakeColour(0, 0, 0);
    const double* counts = run.counts[kind];
    const double* markers = run.markers[kind];
    for (int j = 0; j < kDensityClasses; ++j) {
        const int x = kClassSpacing * j + 50;
        const int height = truncated(counts[j] * 4000 / run.groups);
        for (int i = 0; i < 4; ++i)
            uxgraphic_line(x + i, kBaseLine, x + i, kBaseLine - height, red);
        if (DensityMarkerShown(markers, j)) {
            const int top = kBaseLine - truncated(markers[j] * 4000 / run.groups);
            uxgraphic_line(kClassSpacing * j + 49, kBaseLine, kClassSpacing * j + 51, top, black);
            // At the top edge, right of the title it would otherwise run into.
            const int titleEnd = 20 + uxgraphic_textwidth(layout.title) + 9;
            int labelX = kClassSpacing * j + 55;
            if (labelX < titleEnd) labelX = titleEnd;
            DrawText(labelX, 13, layout.eventLabel, black);
        }
        // Neighbouring classes alternate between two rows so that their numbers do not overlap.
        static const int evenRows[3] = {915, 950, 990};
        static const int oddRows[3] = {935, 975, 1010};
        const int* rows = j % 2 == 0 ? evenRows : oddRows;
        const int textX = kClassSpacing * j + 40;
        DrawColouredTextF(textX, rows[0], red, " %i ", truncated(counts[j]));
        DrawColouredTextF(textX, rows[1], blue, "<%i ", truncated(run.limits[kind][j]));
        DrawColouredTextF(textX, rows[2], green, " %i ", truncated(counts[j] * 1000 / run.groups));
    }
}

static void draw_charts() {
    for (int k = 0; k < kCorrelationKinds; ++k) {
        const int white = MakeColour(255, 255, 255);
        GraphicOutput(k + 1, 1920, 1080, white);
        uxgraphic_clear(white);
        const DensityChartLayout& layout = kChartLayouts[k];
        // The headings and the number rows lie 15 to 20 pixels apart.
        const int pageFont = UseCompactChartFont();
        draw_chart_heading(layout);
        draw_captions(layout);
        draw_classes(k, layout);
        RestoreChartFont(pageFont);
        // The names carry no extension: the toolkit reports the format and writes nothing.
        uxgraphic_save(layout.saveName, 1);
    }
}

void DensityFunction() {
    run = {};
    if (!ask_period() || !read_results() || !ask_groups()) return;
    set_automatic_limits();
    if (run.automatic == 0 && !ask_manual_limits()) return;
    set_class_limits();
    if (!count_groups()) return;
    draw_charts();
    PlayTada();
}
