// Matrix probability: how probable the event matrices are under chance. G random control
// groups of m moments each are compared with the event group element by element, row sum by
// row sum and matrix sum by matrix sum; the shares in percent ("probability of error") are
// printed on text page 3, coded into the significance files and drawn on graphic pages 1 to 4.

#include <cstdio>

#include "research/control_groups.h"
#include "research/module_files.h"
#include "research/modules.h"
#include "research/probability_counts.h"
#include "research/probability_csv.h"
#include "astro/julian.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "research/matrix_report.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kMinGroups = 2;
static const int kMaxGroups = 100000;
static const int kSignificanceColumns = kMatrixSize + 1;  // principles 0..P, then the row sum

static const char* const kPrincipleNames[11] = {"sun    ", "moon   ", "mercury", "venus  ",
                                                "mars   ", "jupiter", "saturn ", "uranus ",
                                                "neptun ", "pluto  ", "IC     "};

// One run's parameters, event values, counters and working arrays; cleared at every start.
static struct {
    int last;
    int order;
    int selfCorrelation;
    int shiftHours;
    int shiftDays;
    int members;
    int groups;
    int periodFile[6];  // start year, end year, start month, end month, start day, end day
    int start[6];       // day, month, year, hour, minute, second
    int end[6];
    double jdStart;
    double jdEnd;
    double weights[kMatrixSize];
    double eventRows[kCorrelationKinds][kMatrixSize];
    double eventSums[kCorrelationKinds];
    double eventMatrices[kCorrelationKinds][kMatrixSize][kMatrixSize];
    ProbabilityCounters counters[kCorrelationKinds];
    int significance[kCorrelationKinds][kMatrixSize][kSignificanceColumns];
    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double means[kCorrelationKinds][kMatrixSize][kMatrixSize];
    ControlGroupSampler sampler;
} run;

static double zone_one_julian_day(const int moment[6]) {
    return JulianDay(moment[2], moment[1], moment[0], moment[3], moment[4], moment[5], 1);
}

// Heading, format, order, self-correlation and the event sums; false at a missing file.
static bool read_event_results() {
    TextOutput(6);
    ClearOutput();
    Print("\n");
    Print("\n*** Probability of the Matrix ***");
    IntroGeneral(0);
    IntroMatrixProbability(0);
    Print("\n ATTENTION! The program: - Team or Event Analysis- must have calculated first!   \n");
    int groupSize = 0;
    if (!ReadMatrixFormat(&run.last, &groupSize)) return false;
    Print("\n MIC1: %i ", run.last);
    // The flag the event matrices were made with (the event analysis writes it whether or not
    // a continuum ran); the continuum's own may be stale or absent.
    if (!ReadInt(kOrderFile, &run.order) || !ReadInt(kAutoCorrelationFile, &run.selfCorrelation))
        return false;
    if (run.selfCorrelation == 1)
        Print("\n Calculation with self-correlation ");
    else
        Print("\n Calculation without self-correlation ");
    if (!ReadInt(kTimeShiftHoursFile, &run.shiftHours) ||
        !ReadInt(kTimeShiftDaysFile, &run.shiftDays))
        return false;
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (!ReadPrincipleList(kEventRowSumFiles[k], run.eventRows[k], run.last)) return false;
    if (!ReadDoubleList(kEventMatrixSumFile, run.eventSums, kCorrelationKinds)) return false;
    Print("\n  ");
    Print("\n matrix-summe-h: %f ", run.eventSums[kHarmonyKind]);
    Print("\n matrix-summe-i: %f ", run.eventSums[kEnergyKind]);
    Print("\n matrix-summe-d: %f ", run.eventSums[kDynamicsKind]);
    Print("\n matrix-summe-da: %f ", run.eventSums[kAbsoluteDynamicsKind]);
    PrintEventRowSums(run.eventRows, run.last, run.order);
    return true;
}

// The presets of the period dialogs: the last period of a continuum, matrix probability or
// artificial intelligence run. After an event analysis alone there is none yet.
static bool read_period_presets() {
    if (std::FILE* file = std::fopen(kStartEndFile, "r")) {
        std::fclose(file);
        return ReadIntList(kStartEndFile, run.periodFile, 6);
    }
    static const int presets[6] = {1900, 2000, 1, 1, 1, 1};
    for (int i = 0; i < 6; ++i) run.periodFile[i] = presets[i];
    Print("\n  No period of an earlier run (%s): the dates start at 1. 1. 1900 and 1. 1. 2000 \n",
          kStartEndFile);
    return true;
}

// The period, written back as the next run's preset; false at a bad file or a stop.
static bool ask_period() {
    if (!read_period_presets()) return false;
    const int* f = run.periodFile;
    int* s = run.start;
    s[0] = f[4], s[1] = f[2], s[2] = f[0], s[3] = 0, s[4] = 0, s[5] = -1;
    InputDate("Enter start-date", &s[0], &s[1], &s[2], &s[3], &s[4], &s[5]);
    if (!ModuleGoesOn()) return false;
    Print("\n  START: %i. %i. %i ", s[0], s[1], s[2]);
    int* e = run.end;
    e[0] = f[5], e[1] = f[3], e[2] = f[1], e[3] = s[3], e[4] = s[4], e[5] = s[5];
    InputDate("Enter end-date", &e[0], &e[1], &e[2], &e[3], &e[4], &e[5]);
    if (!ModuleGoesOn()) return false;
    // The end moment is the first second of the hour entered.
    e[4] = 0;
    e[5] = 1;
    Print("\n  ENDE: %i. %i. %i ", e[0], e[1], e[2]);
    run.jdStart = zone_one_julian_day(s);
    run.jdEnd = zone_one_julian_day(e);
    Print("\n  JD_start: %f  JD_end: %f Differenz: %f  \n", run.jdStart, run.jdEnd,
          run.jdEnd - run.jdStart);
    int years[6] = {s[2], e[2], s[1], e[1], s[0], e[0]};
    return WriteIntList(kStartEndFile, years, 6);
}

// Group size, number of groups, weights and the event matrices; false at a missing file or a
// stop.
static bool ask_groups() {
    if (!ReadGroupSize(&run.members)) return false;
    Print("\n  Events per Group = %i \n ", run.members);
    run.groups = InputInt(" \n  NUMBER OF THE GROUPS?: ", kMinGroups, kMaxGroups, 10000);
    if (!ModuleGoesOn()) return false;
    if (run.groups < kMinGroups) run.groups = kMinGroups;
    if (run.groups > kMaxGroups) run.groups = kMaxGroups;
    for (int p = 0; p < kMatrixSize; ++p) run.weights[p] = 1.0;
    if (!ReadPlanetWeights(run.weights, run.last)) return false;
    for (int p = 0; p <= run.last; ++p) {
        Print("\n  ");
        Print("%s", kPrincipleNames[p]);
        Print(" weight: %f ", run.weights[p]);
    }
    for (int k = 0; k < kCorrelationKinds; ++k)
        if (!ReadFullMatrix(kEventMatrixFiles[k], run.eventMatrices[k], run.last)) return false;
    StartControlGroups(&run.sampler, run.order, run.last, run.jdStart, run.jdEnd, run.groups,
                       run.members);
    if (run.sampler.moments > 100000.0) Print("\n  WARNUNG! Intervallteiler > 100 000 \n ");
    for (int k = 0; k < kCorrelationKinds; ++k) ClearProbabilityCounters(&run.counters[k]);
    for (int p = 0; p <= run.last; ++p)
        Print(" \n PR% 7.2f", static_cast<double>(run.counters[kHarmonyKind].rows[p]));
    return true;
}

// The hot loop: every array it touches lives in `run`. False when the application stops, so
// that no partial counts are reported or written.
static bool count_groups() {
    // The groups come in blocks computed on all cores; the counts, progress and waits follow
    // group by group on the main thread, as in a single loop.
    return SampleControlGroups(
        &run.sampler, run.members, run.groups, run.weights, run.selfCorrelation,
        [](int g, const ControlGroupMeans& group) {
            for (int k = 0; k < kCorrelationKinds; ++k)
                CountControlGroup(group.means[k], run.eventMatrices[k], run.eventRows[k],
                                  run.eventSums[k], run.last, &run.counters[k]);
            SetProgress(static_cast<int>(static_cast<long long>(g + 1) * 100 / run.groups));
            WaitSeconds(0.001);
            return uxRunning();
        });
}

static void print_heading(int kind) {
    const char* const groupLine = " GROUP-MEMBERS: %i ; NUMBER OF THE GROUPS: %i ";
    switch (kind) {
    case kHarmonyKind:
        Print(" \n\n   Statistics 4: Probability of events: correlation matrix H \n");
        Print("\n Order of the correlation: %i ; time shift d: %i h: %i; ", run.order,
              run.shiftDays, run.shiftHours);
        Print("\n GROUP-MEMBERS: %i ; NUMBER OF THE GROUPS: %i ", run.members, run.groups);
        Print("\n Julian-date-start: %f Julian-date-end: %f", run.jdStart, run.jdEnd);
        Print(" \n Accidental selection");
        Print(";  TEST: Number of accidental selection >= correlation ");
        Print(" \n");
        Print("  CORRELATION-MATRIX H AS INPUT  ");
        break;
    case kEnergyKind:
        Print(" \n\n   Statistics 4: Probability of events: energy I\n");
        Print(" Order of the correlation: %i ;", run.order);
        Print(groupLine, run.members, run.groups);
        Print(" \n Accidental selection");
        Print("; TEST: Number of accidental selection >= correlation ");
        Print(" \n");
        Print("  MATRIX I energy  AS INPUT (absolut) ");
        break;
    case kDynamicsKind:
        Print(" \n\n    Statistics 4: Probability of events: dynamics \n");
        Print(" Order of the correlation: %i ;", run.order);
        Print(groupLine, run.members, run.groups);
        Print(" \n Accidental selection");
        Print("; TEST: Number of accidental selection >= correlation ");
        Print(" \n");
        Print("  MATRIX D dynamics AS INPUT (absolut) ");
        break;
    default:
        Print(" \n\n   Statistics 4: Probability of events: dynamics abs ");
        Print("\n Order of the correlation: %i ;", run.order);
        Print(groupLine, run.members, run.groups);
        Print(" \n Accidental selection");
        Print(" TEST: Number of accidental selection >= correlation ");
        Print("\n\n");
        Print("  MATRIX DA dynamics abs AS INPUT (absolut) ");
        break;
    }
}

static void print_column_numbers() {
    Print("         ");
    for (int j = 0; j <= run.last; ++j) {
        Print(" %2.0i", j + 1);
        Print("     ");
    }
    Print(" \n");
}

// A cell is left out ("    *   ") when a weight removes its principle, and on the diagonal
// without self-correlations.
static bool cell_shown(int i, int j) {
    if (!(run.weights[i] * run.weights[j] > 0.0)) return false;
    return i != j || run.selfCorrelation != 0;
}

static void print_input_table(int kind) {
    Print(" \n");
    print_column_numbers();
    for (int i = 0; i <= run.last; ++i) {
        Print(" \n");
        Print(" %2.0i", i + 1);
        Print("   ");
        for (int j = 0; j <= run.last; ++j) {
            const int low = i < j ? i : j, high = i < j ? j : i;
            if (cell_shown(i, j))
                Print(" %7.2f", run.eventMatrices[kind][low][high]);
            else
                Print("    *   ");
        }
    }
}

// The probability table; fills the significance codes of the kind on the way.
static void print_probability_table(int kind) {
    static const char* const titles[kCorrelationKinds] = {
        "  Matrix H of the probability of error:   ", "  Matrix I of the probability of error:   ",
        "  Matrix D of the probability of error:   ",
        "  Matrix DA of the probability of error:   "};
    const ProbabilityCounters& counters = run.counters[kind];
    int (*codes)[kSignificanceColumns] = run.significance[kind];
    Print(kind == kEnergyKind ? "\n\n" : " \n\n");
    Print("%s", titles[kind]);
    Print(" \n");
    print_column_numbers();
    for (int i = 0; i <= run.last; ++i) {
        Print(" \n");
        Print(" %2.0i", i + 1);
        Print("   ");
        for (int j = 0; j <= run.last; ++j) {
            const int low = i < j ? i : j, high = i < j ? j : i;
            if (!cell_shown(i, j)) {
                Print("    *   ");
                continue;
            }
            const double percent = ProbabilityPercent(counters.elements[low][high], run.groups);
            Print(" %7.2f", percent);
            if (i != j) codes[i][j] = SignificanceCode(percent);
        }
        const double rowPercent = ProbabilityPercent(counters.rows[i], run.groups);
        Print(" PR%7.2f", rowPercent);
        codes[i][run.last + 1] = SignificanceCode(rowPercent);
    }
}

static void print_legend(int kind) {
    static const char* const legend[] = {" 1=SUN; ",    " 2=MOON; ",   " 3=MERKUR; ",
                                          " 4=VENUS; ",  " 5=MARS; ",   " 6=JUPITER; ",
                                          " 7=SATURN; ", " 8=URANUS; ", " 9=NEPTUN; ",
                                          "10=PLUTO; ",  "11=IC; ",     nullptr};
    const int* s = run.start;
    const int* e = run.end;
    Print(" \n");
    Print("  bigger are: %7.2f %%", ProbabilityPercent(run.counters[kind].sum, run.groups));
    Print(" \n");
    for (const char* const* text = legend; *text; ++text) Print("%s", *text);
    Print(" \n");
    Print(" BEGIN: year: %i month: %i day: %i hour: %i ", s[2], s[1], s[0], s[3]);
    Print(" END: year: %i month: %i day: %i hour: %i ", e[2], e[1], e[0], e[3]);
    Print(" \n");
}

static bool write_significance_files() {
    const int columns = run.last + 2;
    int values[kMatrixSize * kSignificanceColumns];
    for (int k = 0; k < kCorrelationKinds; ++k) {
        int count = 0;
        for (int i = 0; i <= run.last; ++i)
            for (int j = 0; j < columns; ++j) values[count++] = run.significance[k][i][j];
        if (!WriteIntList(kSignificanceFiles[k], values, count)) return false;
    }
    return true;
}

// The tables of text page 3 and the significance files; false when a file cannot be written.
static bool print_report() {
    Print(" \n ENDE G ");
    for (int k = 0; k < kCorrelationKinds; ++k)
        for (int i = 0; i < kMatrixSize; ++i)
            for (int j = 0; j < kSignificanceColumns; ++j) run.significance[k][i][j] = 0;
    TextOutput(3);
    ClearOutput();
    for (int k = 0; k < kCorrelationKinds; ++k) {
        print_heading(k);
        print_input_table(k);
        print_probability_table(k);
        print_legend(k);
    }
    return write_significance_files();
}

// A percentage as a bar of height 10 p standing on the base line.
static void draw_percent_bar(int x, int width, double percent, int colour) {
    const int height = static_cast<int>(10.0 * percent);
    uxgraphic_fillrect(x, 1060 - height, width, height, colour);
}

static void draw_frame() {
    const int black = MakeColour(0, 0, 0);
    uxgraphic_fillrect(60, 560, 1850, 3, black);
    uxgraphic_fillrect(20, 1060, 1850, 3, black);
    uxgraphic_fillrect(60, 20, 3, 1040, black);
    uxgraphic_fillrect(600, 60, 4, 1000, black);
    uxgraphic_fillrect(20, 1010, 1850, 2, MakeColour(255, 0, 0));  // 5 %
    uxgraphic_fillrect(20, 110, 1850, 2, MakeColour(0, 0, 255));   // 95 %
    for (int i = 0; i < 16; ++i) uxgraphic_fillrect(60 + 120 * i, 548, 3, 24, black);
    for (int i = 0; i <= 20; ++i) {
        uxgraphic_fillrect(60, 60 + 50 * i, 23, 3, black);
        DrawColouredTextF(10, 55 + 50 * i, black, "%i%%", 100 - 5 * i);
    }
}

// Texts are drawn with their top 13 pixels above y; a 24-pixel font needs y >= 13 at the top
// and y <= 1068 at the bottom of a 1080-pixel page to show whole.
static const int kTopTextY = 13;
static const int kBottomTextY = 1068;

static void draw_labels() {
    const int blue = MakeColour(0, 0, 255);
    DrawText(175, kBottomTextY, "SH", blue);
    DrawText(295, kBottomTextY, "SI", MakeColour(255, 0, 0));
    DrawText(415, kBottomTextY, "SD", MakeColour(0, 255, 0));
    DrawText(535, kBottomTextY, "SDA", MakeColour(0, 255, 255));
    static const char* const names[11] = {"SUN",    "MOON",   "MERCURY", "VENUS",
                                          "MARS",   "JUPITER", "SATURN", "URANUS",
                                          "NEPTUN", "PLUTO",  "IC"};
    static const int x[11] = {645, 765, 885, 1005, 1135, 1245, 1365, 1485, 1605, 1725, 1845};
    for (int p = 0; p < 11; ++p) DrawText(x[p], kBottomTextY, names[p], blue);
}

static void draw_chart(int kind) {
    static const char* const titles[kCorrelationKinds] = {
        "*** line sum Harmony ***", "*** line sum Energy ***", "*** line sum Dynamic ***",
        "*** line sum Dynamic abs***"};
    static const int titleColours[kCorrelationKinds][3] = {
        {0, 0, 255}, {255, 0, 0}, {0, 230, 0}, {0, 230, 230}};
    static const int sumColours[kCorrelationKinds][3] = {
        {0, 0, 255}, {255, 0, 0}, {0, 255, 0}, {0, 255, 255}};
    static const int ownSumColours[kCorrelationKinds][3] = {
        {0, 50, 255}, {255, 50, 0}, {0, 255, 50}, {0, 250, 250}};
    static const int principleColours[11][3] = {
        {255, 200, 0}, {0, 200, 0}, {255, 200, 0}, {255, 100, 0}, {200, 0, 0}, {255, 0, 255},
        {0, 0, 255},   {0, 250, 250}, {0, 255, 50}, {255, 0, 150}, {50, 0, 50}};
    static const int sumX[kCorrelationKinds] = {155, 275, 395, 515};
    const int white = MakeColour(255, 255, 255);
    GraphicOutput(kind + 1, 1920, 1080, white);
    uxgraphic_clear(white);
    DrawText(115, kTopTextY, "graphic - probability - Matrix", MakeColour(0, 0, 255));
    DrawColouredTextF(1300, kTopTextY, MakeColour(0, 0, 0), "order: %i events: %i control groups: %i",
                      run.order, run.members, run.groups);
    const int* c = titleColours[kind];
    DrawText(700, kTopTextY, titles[kind], MakeColour(c[0], c[1], c[2]));
    draw_frame();
    for (int k = 0; k < kCorrelationKinds; ++k) {
        c = sumColours[k];
        draw_percent_bar(sumX[k], 40, ProbabilityPercent(run.counters[k].sum, run.groups),
                         MakeColour(c[0], c[1], c[2]));
    }
    c = ownSumColours[kind];
    draw_percent_bar(sumX[kind], 60, ProbabilityPercent(run.counters[kind].sum, run.groups),
                     MakeColour(c[0], c[1], c[2]));
    for (int p = 0; p <= run.last; ++p) {
        if (run.weights[p] == 0.0) continue;
        c = principleColours[p];
        const double percent = ProbabilityPercent(run.counters[kind].rows[p], run.groups);
        draw_percent_bar(645 + 120 * p, 30, percent, MakeColour(c[0], c[1], c[2]));
    }
    draw_labels();
    // The name carries no extension: the toolkit reports the format and writes nothing.
    uxgraphic_save("group");
}

void MatrixProbability() {
    run = {};
    if (!read_event_results() || !ask_period() || !ask_groups()) return;
    if (!count_groups()) return;
    if (!print_report()) return;
    if (!WriteProbabilityCsv(run.counters, run.significance, run.weights, run.selfCorrelation,
                             run.last, run.groups))
        return;
    for (int k = 0; k < kCorrelationKinds; ++k) draw_chart(k);
    PlayTada();
}
