// The reports of the event analysis: the event list on text page 6, the four event matrices on
// text page 2 with their files, and the comparison chart with the continuum on graphic page 3.

#include <cstdio>

#include "research/event_analysis_run.h"
#include "research/event_rules.h"
#include "research/matrix_report.h"
#include "research/module_files.h"
#include "shell/output.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const char kHeadHWithIc[] =
    "\nPrinciple    I          II        III         IV         V          VI         VII        VIII       IX          X         IC          SUMME  \n";
static const char kHeadHWithoutIc[] =
    "\nPrinciple    I          II        III         IV         V          VI         VII        VIII       IX          X        SUMME  \n";
static const char kHeadWithIc[] =
    "\nPrinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          IC         SUMME  \n";
static const char kHeadWithoutIc[] =
    "\nPrinzip:      I          II        III         IV         V         VI         VII        VIII       IX          X          SUMME  \n";

static const MatrixTableLayout kEventTables[kCorrelationKinds] = {
    {"\n Matrix of common harmony ", kHeadHWithIc, kHeadHWithoutIc, "    %7.2f", "     %8.2f",
     " Harmony of command wave: %9.2f \n"},
    {"\n Matrix of common energy (standardize of number of elements ) ", kHeadWithIc,
     kHeadWithoutIc, "    %7.2f", "     %8.2f", " energy of command wave: %9.2f \n"},
    {"\n Matrix of common of time dynamics ", kHeadWithIc, kHeadWithoutIc, "    %7.2f",
     "     %8.2f", " Time dynamics of command wave : %9.2f \n"},
    {"\n Matrix of common of time dynamics (absolute)", kHeadWithIc, kHeadWithoutIc,
     "    %7.2f", "     %8.2f", " Time dynamics of command wave (absolute): %9.2f \n"},
};

// The column sums of SH, SI, SD, SDA over all events.
static void event_sum_totals(const EventRun& run, double totals[kCorrelationKinds]) {
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        totals[kind] = 0.0;
        for (int k = 0; k < run.count; ++k) totals[kind] += run.events.sums[kind][k];
    }
}

static void print_sum_totals(const EventRun& run) {
    double t[kCorrelationKinds];
    event_sum_totals(run, t);
    Print("\n SHsumme: %f SIsumme: %f SDsumme: %f SDAsumme: %f  ", t[0], t[1], t[2], t[3]);
}

bool PrintEventList(const EventRun& run) {
    const EventMoments& ev = run.events;
    TextOutput(6);
    ClearOutput();
    Print("\n Number of the elements : %d ", run.count);
    Print("\n Degree of correlation %i ; time shift h %i ", run.order, run.shiftHours);
    Print("\n Matrix of common harmony ");
    Print(" \n k: Jahr: Monat: Tag: Stunde: Minute:   H:      I:      D:     DA:  ");
    for (int k = 0; k < run.count; ++k)
        Print(" \n %3.0i y%4.0i   m%2.0i   d%3.1i    h%3.1d    m%3.1d  \n SH%7.2f SI%7.2f SD%7.2f "
              "SDA%7.2f \njd: %f",
              k + 1, ev.year[k], ev.month[k], ev.day[k], ev.hour[k], ev.minute[k],
              ev.sums[kHarmonyKind][k], ev.sums[kEnergyKind][k], ev.sums[kDynamicsKind][k],
              ev.sums[kAbsoluteDynamicsKind][k], ev.julianDay[k]);
    print_sum_totals(run);
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        ModuleFile* file = OpenModuleFile(kEventMomentSumFiles[kind]);
        if (!file) return false;
        for (int k = 0; k < run.count; ++k) WriteDoubleLine(file, ev.sums[kind][k]);
        if (!CloseModuleFile(file)) return false;
    }
    return true;
}

bool PrintEventTables(EventRun* run) {
    FinishAccumulators(run->accumulators, run->weights, run->selfCorrelation, run->last,
                       run->count, run->results);
    TextOutput(2);
    ClearOutput();
    Print("\n Outlay matrix H coherent analysis ");
    Print("\n Number of the elements : %d ", run->count);
    Print("\n Order of the correlation: %i ; time shift d: %i h: %i; ", run->order,
          run->shiftDays, run->shiftHours);
    for (int kind = 0; kind < kCorrelationKinds; ++kind) {
        run->matrixSums[kind] = PrintMatrixTable(kEventTables[kind], run->results[kind],
                                                 run->last, run->rowSums[kind]);
        if (kind == kAbsoluteDynamicsKind) break;  // its files follow the sums below
        if (!WritePrincipleList(kEventRowSumFiles[kind], run->rowSums[kind], run->last) ||
            !WriteFullMatrix(kEventMatrixFiles[kind], run->results[kind], run->last))
            return false;
    }
    const double* s = run->matrixSums;
    Print(" \n\n Summen:  h %f  i %f d %f da %f \n", s[0], s[1], s[2], s[3]);
    print_sum_totals(*run);
    return WritePrincipleList(kEventRowSumFiles[kAbsoluteDynamicsKind],
                              run->rowSums[kAbsoluteDynamicsKind], run->last) &&
           WriteFullMatrix(kAbsoluteDynamicsMatrixFile, run->results[kAbsoluteDynamicsKind],
                           run->last) &&
           WriteDoubleList(kEventMatrixSumFile, run->matrixSums, kCorrelationKinds);
}

static int kind_colour(int kind) {
    static const int rgb[kCorrelationKinds][3] = {{0, 0, 255}, {255, 0, 0}, {0, 255, 0},
                                                  {0, 255, 255}};
    return MakeColour(rgb[kind][0], rgb[kind][1], rgb[kind][2]);
}

// One bar by the bar rule; no bar where the continuum value is 0.
static void draw_bar(int x, int width, double event, double continuum, int kind) {
    int u;
    if (!ComparisonBarHeight(event, continuum, kComparisonBarFactors[kind], &u)) return;
    int top = kComparisonLineY - u;
    uxgraphic_fillrect(x, top, width, kComparisonBaseY - top, kind_colour(kind));
}

static void draw_axes() {
    int black = MakeColour(0, 0, 0);
    uxgraphic_fillrect(20, kComparisonLineY, 1850, 3, black);
    uxgraphic_fillrect(20, kComparisonBaseY, 1850, 3, black);
    uxgraphic_fillrect(60, 20, 3, 1040, black);
    for (int i = 0; i <= 15; ++i) uxgraphic_fillrect(60 + 120 * i, 530, 3, 23, black);
    for (int i = 0; i <= 20; ++i) uxgraphic_fillrect(60, 20 + 52 * i, 23, 3, black);
    DrawText(65, 535, "CONTINUUM", black);
}

// Texts are drawn with their top 13 pixels above y; a 24-pixel font needs y >= 13 at the top
// and y <= 1068 at the bottom of a 1080-pixel page to show whole.
static const int kTopTextY = 13;
static const int kBottomTextY = 1068;

static void draw_labels() {
    static const char* const sumLabels[kCorrelationKinds] = {"SH", "SI", "SD", "SDA"};
    static const int sumX[kCorrelationKinds] = {175, 295, 415, 535};
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        DrawText(sumX[kind], kBottomTextY, sumLabels[kind], kind_colour(kind));
    static const char* const names[kMatrixPrinciples] = {
        "SUN", "MOON", "MERCURY", "VENUS", "MARS", "JUPITER", "SATURN", "URANUS", "NEPTUN",
        "PLUTO", "IC"};
    static const int nameX[kMatrixPrinciples] = {645,  765,  885,  1005, 1135, 1245,
                                                 1365, 1485, 1605, 1725, 1845};
    int blue = kind_colour(kHarmonyKind);
    for (int p = 0; p < kMatrixPrinciples; ++p) DrawText(nameX[p], kBottomTextY, names[p], blue);
}

void DrawComparisonChart(const EventRun& run) {
    GraphicOutput(3, 1920, 1080, MakeColour(255, 255, 255));
    DrawText(15, kTopTextY, "graphic continuum - group of events ", kind_colour(kHarmonyKind));
    static const char* const titles[kCorrelationKinds] = {"*** Harmony ", "*** Energy ",
                                                          "*** Dynamic ", "*** Dynamic abs"};
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        DrawText(550 + 200 * kind, kTopTextY, titles[kind], kind_colour(kind));
    draw_axes();
    static const int sumX[kCorrelationKinds] = {172, 292, 412, 532};
    for (int kind = 0; kind < kCorrelationKinds; ++kind)
        draw_bar(sumX[kind], 20, run.matrixSums[kind], run.continuumMatrixSums[kind], kind);
    static const int barOffset[kCorrelationKinds] = {0, 10, 22, 32};
    // Row sums exist for 0..P only; without IC its weight is 0 and it gets no bars.
    for (int p = 0; p <= run.last; ++p) {
        if (run.weights[p] == 0.0) continue;
        if (p == 10) WaitSeconds(0.1);
        for (int kind = 0; kind < kCorrelationKinds; ++kind)
            draw_bar(645 + 120 * p + barOffset[kind], 4, run.rowSums[kind][p],
                     run.continuumRowSums[kind][p], kind);
    }
    draw_labels();
    // The name has no extension: the toolkit only reports the unsupported format.
    uxgraphic_save("group");
}
