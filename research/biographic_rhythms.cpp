// Biographic rhythms: for one person and one 12-year block of life, how the transiting slow
// planets Jupiter..Pluto relate to their own natal places, as five curves and their sum, with
// an optional coupling of each natal planet to the other four transiting ones.

#include "research/biographic_rhythms.h"

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "astro/wave_tables.h"
#include "records/person_table.h"
#include "records/persons.h"
#include "research/curve_chart.h"
#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/data/uxarray.h"
#include "toolkit/core/uxevent.h"
#include "toolkit/widgets/uxfiledialog.h"
#include "toolkit/drawing/uxscreengraphic.h"

static const int kSteps = 700;
static const int kCurveRows = 13;
static const int kSlowPlanets = 5;  // Jupiter .. Pluto
static const int kFirstSlowPlanet = kJupiter;
static const int kYearsPerBlock = 12;
static const int kKv13 = 1;
static const int kKvFormat = 180;
static const int kWhite = 0xFFFFFF;

static const char* const kBlocks[] = {"0-12",  "13-24", "25-36", "37-48",
                                      "49-60", "61-72", "73-84", "85-96"};

// Chart colours of the sum and of Jupiter..Pluto.
static const int kCurveColours[kSlowPlanets + 1][3] = {
    {200, 150, 0}, {255, 0, 255}, {0, 0, 255}, {0, 255, 225}, {50, 255, 50}, {255, 0, 100}};

void BiographicRhythmCurves(PersonRecord* record, const PositionRecord& natal, double coupling,
                            double start, double step, uxArray2Double* curves) {
    PositionRecord transit = {};
    for (int i = 0; i < kSteps; ++i) {
        SetProgress((i + 1) * 100 / 800);
        CalendarFromJulianDay(start + i * step, &record->year, &record->month, &record->day,
                              &record->hour, &record->minute);
        record->second = 0;
        PlanetPositions(*record, &transit);
        double sum = 0.0;
        for (int k = 0; k < kSlowPlanets; ++k) {
            double row = 0.0;
            for (int m = 0; m < kSlowPlanets; ++m) {
                double relation = HarmonyWave(1, natal.longitude[kFirstSlowPlanet + k],
                                              transit.longitude[kFirstSlowPlanet + m]);
                row += k == m ? relation : relation * coupling;
            }
            uxarray2d_set(curves, k + 1, i, row);
            sum += row;
        }
        uxarray2d_set(curves, 0, i, sum + uxarray2d_get(curves, 6, i));  // row 6 stays 0
    }
}

void BiographicRhythms() {
    char path[1024];
    if (!uxfiledialog(path, sizeof path, kPersonTableFilter)) {
        if (ModuleGoesOn()) Print("\n  no file chosen: Biographic rhythms ends.\n");
        return;
    }
    PersonRecord record;
    ChoosePerson(path, &record);  // keeps the sample person when nothing was chosen
    if (!ModuleGoesOn()) return;
    Print("%d: %s %s\n", 1, record.firstName, record.name);
    PositionRecord natal = {};
    PlanetPositions(record, &natal);

    Print(" \n  Berechnung der Biographischen Rhythmen \n");
    int percent = InputInt(" coupling cross correlation?(0,1,2... % ):", 0, 100, 0);
    if (!ModuleGoesOn()) return;
    double coupling = percent * 0.01;
    Print(" \n  coupling factor(%%): %f\n", coupling);

    Print(" \n  period:\n");
    Print(" \n  please select: \n");
    Print(" \n  rhythms for the years: \n");
    int block = ChooseOption("rhythms for the years:", 8, kBlocks);
    if (block < 1 || !ModuleGoesOn()) return;

    record.year += kYearsPerBlock * block - kYearsPerBlock;
    double start = RecordJulianDay(record);
    record.year += kYearsPerBlock;
    double end = RecordJulianDay(record);
    double step = (end - start) / kSteps;
    Print(" \n BITTE WARTEN!! \n");
    Print(" \n  JD_start : %f JD_schritt: %f  \n  ", start, step);

    uxArray2Double curves;
    uxArray2Int colours;
    if (!uxarray2d_create(&curves, kCurveRows, kSteps) || !uxarray2i_create(&colours, kCurveRows, 3)) {
        uxarray2d_destroy(&curves);
        uxarray2i_destroy(&colours);
        return;
    }
    BiographicRhythmCurves(&record, natal, coupling, start, step, &curves);

    for (int row = 0; row <= kSlowPlanets; ++row)
        for (int c = 0; c < 3; ++c) uxarray2i_set(&colours, row, c, kCurveColours[row][c]);
    Print(" \n BITTE WARTEN: Programm rechnet!! \n");
    GraphicOutput(1, 1920, 1080, kWhite);
    uxgraphic_clear(kWhite);
    RhythmChart(&curves, &colours, kKv13, kKvFormat, block, start, step);

    // Under the start date rather than on it.
    DrawTextF(10, 70, "F\xfcr %s, %s ", record.name, record.firstName);
    // The percentage as typed: 0.29 * 100 truncated would show 28. Right of the frame, where
    // the years of life and the institute's name at the bottom edge leave it room.
    DrawTextF(8 * kKvFormat + 10, 6 * kKvFormat - 58, "coupling cross correlation: %d(%%)",
              percent);
    SetProgress(100);
    uxarray2d_destroy(&curves);
    uxarray2i_destroy(&colours);
}
