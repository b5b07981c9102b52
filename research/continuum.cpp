// Statistics 1 - Continuum.

#include "research/continuum.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "astro/astro_records.h"
#include "astro/julian.h"
#include "astro/positions.h"
#include "research/correlation_dialogs.h"
#include "astro/wave_tables.h"
#include "research/correlation_matrices.h"
#include "research/matrix_picture.h"
#include "research/matrix_report.h"
#include "research/module_files.h"
#include "research/results_csv.h"
#include "research/moment_threads.h"
#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/module_intro.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"

// The upper bounds of the dialogs: enough for any study, small enough that k * 100 and the
// sampling arithmetic stay exact.
static const int kMaxMembers = 1000000;
static const int kMaxMoments = 10000000;
static const int kMomentsPerWait = 500;
static const int kRandomDatesBelow = 10000;  // "jdfest.txt" only for smaller N


// One run's parameters and sums; cleared at the start of every run.
static struct {
    int order;
    int withIc;
    int last;
    int members;
    double weights[12];
    int selfCorrelation;
    int start[6];  // day, month, year, hour, minute, second
    int end[6];
    double jdStart;
    double jdEnd;
    int count;
    double increment;
    int random;
    double accumulators[kCorrelationKinds][kMatrixSize][kMatrixSize];
    double results[kCorrelationKinds][kMatrixSize][kMatrixSize];
} run;

// u = 0.0000 .. 0.9999 from the standard generator.
static double random_fraction() { return RandomInt(10000) * 0.0001; }

// Steps up to the members of the group, with IC and order; false when the application stops
// or a file cannot be written.
static bool ask_format() {
    Print("\n RESEARCH Orvane \n ");
    IntroGeneral(0);
    IntroContinuum(0);
    Print("\n INPUT Time-Continuum \n\n ");
    Print("\n Coherence = 1; that means coherent \n");
    run.order = AskCorrelationOrder();
    run.withIc = AskWithIc();
    run.members = InputInt("Members of the group (INPUT integer)? :  ", 1, kMaxMembers, 1);
    if (!ModuleGoesOn()) return false;
    if (run.withIc) {
        run.last = 10;
        Print("\n Calculation with IC ! \n");
    } else {
        run.last = 9;
        Print("\n Calculation without IC ! \n");
    }
    int format[2] = {run.last, run.members};
    if (!WriteIntList(kMatrixFormatFile, format, 2)) return false;
    if (run.order < 1 || run.order > 12) {
        Print("\n   ERROR ! Order must lie in the area from 1 to 12. We set Order = 1; \n");
        run.order = 1;
    }
    return WriteInt(kOrderFile, run.order);
}

// Planet selection or gravity, self-correlation; false when the application stops or a file
// cannot be written.
static bool ask_weights() {
    Print("\n  ");
    AskPlanetWeights(run.withIc, run.last, run.weights);
    run.selfCorrelation = AskSelfCorrelation();
    if (!ModuleGoesOn()) return false;
    if (!WriteInt(kSelfCorrelationFile, run.selfCorrelation)) return false;
    if (run.members < 1) {
        Print("\n ERROR! Members of the group must be >= 1. We set 1; ERROR! \n");
        run.members = 1;
    }
    return WriteInt(kGroupSizeFile, run.members) &&
           WritePrincipleList(kPlanetWeightsFile, run.weights, run.last);
}

static double universal_julian_day(const int moment[6]) {
    return JulianDay(moment[2], moment[1], moment[0], moment[3], moment[4], 0, 0);
}

// Start and end dates, number per interval, selection; false when the application stops or a
// file cannot be written.
static bool ask_period() {
    int* s = run.start;
    s[0] = 1, s[1] = 1, s[2] = 1900, s[3] = 0, s[4] = 0, s[5] = -1;
    InputDate("Enter start-date", &s[0], &s[1], &s[2], &s[3], &s[4], &s[5]);
    run.jdStart = universal_julian_day(s);
    int* e = run.end;
    e[0] = s[0], e[1] = s[1], e[2] = 2000, e[3] = s[3], e[4] = s[4], e[5] = -1;
    InputDate("Enter end-date", &e[0], &e[1], &e[2], &e[3], &e[4], &e[5]);
    if (!ModuleGoesOn()) return false;
    run.jdEnd = universal_julian_day(e);
    int years[6] = {s[2], e[2], s[1], e[1], s[0], e[0]};
    if (!WriteIntList(kStartEndFile, years, 6)) return false;
    Print("\n  JD_start: %f  JD_end: %f Difference: %f  ", run.jdStart, run.jdEnd,
          run.jdEnd - run.jdStart);
    if (run.jdStart > run.jdEnd) {
        Print("\n ERROR! start-date >= end- date! ERROR!!   ");
        Print("\n ERROR! Your calculations become wrong! ERROR!   ");
        run.jdStart = run.jdEnd - 1;
    }
    run.count = InputInt("\n Number per interval (calculations):  ", 1, kMaxMoments, 100000);
    if (!ModuleGoesOn()) return false;
    if (run.count < 2) {
        Print("\n ERROR! number per interval must be > 1. We set 10000; ERROR! ");
        run.count = 10000;
    }
    // The dialog keeps its bound; a larger value could only come from a damaged widget.
    if (run.count > kMaxMoments) run.count = kMaxMoments;
    if (!WriteInt(kIntervalFile, run.count)) return false;
    run.increment = (run.jdEnd - run.jdStart) / run.count;
    Print("\n  Incremental  (day): %f  ", run.increment);
    ClearAccumulators(run.accumulators);
    run.random = InputYesNo("Selection accidental?", 0);
    if (!ModuleGoesOn()) return false;
    if (run.random != 0 && run.random != 1) {
        Print("\n   ERROR! must be 0 or 1. We set 0; ERROR! ");
        run.random = 0;
    }
    return true;
}

// Recorded random dates of the period (not the ones sampled); false when they cannot be written.
static bool write_random_dates() {
    if (run.count >= kRandomDatesBelow) return true;
    ModuleFile* file = OpenModuleFile(kRandomDatesFile);
    if (!file) return false;
    for (int k = 0; k < run.count; ++k)
        WriteDoubleLine(file, run.jdStart + random_fraction() * run.count * run.increment);
    return CloseModuleFile(file);
}

// All moments in world time at 13 deg 59' E, 51 deg 11' N, which fixes the IC.
static void fill_moment_record(PersonRecord* record) {
    *record = PersonRecord{};
    record->longitudeDegrees = 13;
    record->longitudeMinutes = 59;
    record->latitudeDegrees = 51;
    record->latitudeMinutes = 11;
}

// The matrices of one sampled moment.
struct MomentMatrices {
    double harmony[kMatrixSize][kMatrixSize];
    double dynamics[kMatrixSize][kMatrixSize];
};

// The longitudes of one sampled moment: all its matrices need (112 bytes, where the matrices
// take 2.3 KB).
struct MomentLongitudes {
    double longitude[sizeof(PositionRecord::longitude) / sizeof(double)];
};

// A block of moments: drawn by the main thread, their positions computed by all threads, kept
// until the main thread has added them up.
struct MomentBlock {
    std::vector<double> moments;
    std::vector<MomentLongitudes> positions;
};

// Moments a block: some 12 ms of computing on two threads, 1.8 MB of longitudes (a thread ends a
// block with half a chunk on average still to wait for; it starts for each block).
static const int kBlockMoments = 16384;
// Moments a thread takes from the block at a time.
static const int kMomentsPerChunk = 16;

// The hot loop, in blocks of moments (research/moment_threads.h): the main thread draws a block's
// moments; all threads compute their positions; the main thread then builds each moment's
// matrices from its longitudes and adds them to the sums in moment order, with the progress and
// wait calls of the single loop, while the threads compute the next block. Two block buffers,
// allocated once before the loop. False when the application stops, so that no partial means are
// reported or written.
static bool sample_moments() {
    const bool printMoments = run.count <= 10;
    // Printed moments go one by one, on the main thread.
    const int block = printMoments ? 1 : kBlockMoments;
    MomentBlock blocks[2];
    for (MomentBlock& b : blocks) {
        b.moments.resize(block);
        b.positions.resize(block);
    }
    EnsureWaveTablesForOrder(run.order);  // filled before the threads read it
    MomentMatrices matrices;
    int sinceWait = 0;
    auto prepare = [&](int k) {
        MomentBlock& next = blocks[k & 1];
        const int first = k * block;
        const int count = std::min(block, run.count - first);
        for (int b = 0; b < count; ++b) {
            next.moments[b] = run.random
                                  ? run.jdStart + random_fraction() * run.count * run.increment
                                  : run.jdStart + (first + b) * run.increment;
            if (printMoments) {
                PersonRecord record;
                fill_moment_record(&record);
                CalendarFromJulianDay(next.moments[b], &record.year, &record.month, &record.day,
                                      &record.hour, &record.minute);
                Print("\n\n a %d m %d d %d h %d min %d", record.year, record.month, record.day,
                      record.hour, record.minute);
            }
        }
        return count;
    };
    auto compute = [&](int k, int begin, int end) {
        MomentBlock& current = blocks[k & 1];
        PersonRecord moment;
        fill_moment_record(&moment);
        PositionRecord positions{};
        for (int b = begin; b < end; ++b) {
            CalendarFromJulianDay(current.moments[b], &moment.year, &moment.month, &moment.day,
                                  &moment.hour, &moment.minute);
            moment.second = 0;
            PlanetPositions(moment, &positions);
            std::copy(std::begin(positions.longitude), std::end(positions.longitude),
                      current.positions[b].longitude);
        }
    };
    auto consume = [&](int k, int b) {
        BuildMomentMatrices(run.order, blocks[k & 1].positions[b].longitude, matrices.harmony,
                            matrices.dynamics);
        AccumulateMoment(run.accumulators, matrices.harmony, matrices.dynamics, run.last);
        const int index = k * block + b;
        SetProgress(static_cast<int>(static_cast<long long>(index) * 100 / run.count));
        if (++sinceWait >= kMomentsPerWait) {
            WaitSeconds(0.001);
            sinceWait = 0;
            if (!uxRunning()) return false;
        }
        if (printMoments) {
            double sh, si;
            MomentSums(matrices.harmony, run.weights, run.selfCorrelation, run.last, &sh, &si);
            Print(" continuum H= %f", sh);
            Print(" continuum I= %f", si);
        }
        return true;
    };
    const int blockCount = static_cast<int>((static_cast<long long>(run.count) + block - 1) / block);
    return RunBlockPipeline(blockCount, kMomentsPerChunk, printMoments, prepare, compute, consume);
}

static void print_report_heading() {
    const int* s = run.start;
    const int* e = run.end;
    Print("\n ");
    Print("\n Matrix H: Coherent continuum;");
    Print(" Number per interval: %d ", run.count);
    Print("\n Members the group: %d (relevant);", run.members);
    Print(" Order the correlation: %i  \n", run.order);
    Print(" \n");
    Print(" BEGIN: year: %i month: %i day: %i hour: %i minute %i", s[2], s[1], s[0], s[3], s[4]);
    Print(" \n");
    Print("   END: year: %i month: %i day: %i hour: %i minute %i", e[2], e[1], e[0], e[3], e[4]);
    Print("\n common harmonies, standardize on number of the group-members %i", run.members);
}

// The four tables, each followed by its files; false at the first file that cannot be written.
static bool print_tables() {
    FinishAccumulators(run.accumulators, run.weights, run.selfCorrelation, run.last, run.count,
                       run.results);
    print_report_heading();
    double rowSums[kMatrixSize];
    double sums[kCorrelationKinds];
    const int last = run.last;
    sums[kHarmonyKind] = PrintMatrixTable(kContinuumTables[kHarmonyKind],
                                          run.results[kHarmonyKind], last, rowSums);
    if (!WritePrincipleList(kContinuumRowSumFiles[kHarmonyKind], rowSums, last) ||
        !WriteUpperTriangle(kContinuumHarmonyFile, run.results[kHarmonyKind], last, 1.0))
        return false;
    sums[kEnergyKind] = PrintMatrixTable(kContinuumTables[kEnergyKind],
                                         run.results[kEnergyKind], last, rowSums);
    if (!WritePrincipleList(kContinuumRowSumFiles[kEnergyKind], rowSums, last) ||
        !WriteUpperTriangle(kEnergyMatrixFile, run.results[kEnergyKind], last, 1.0))
        return false;
    sums[kDynamicsKind] = PrintMatrixTable(kContinuumTables[kDynamicsKind],
                                           run.results[kDynamicsKind], last, rowSums);
    if (!WritePrincipleList(kContinuumRowSumFiles[kDynamicsKind], rowSums, last) ||
        !WriteUpperTriangle(kDynamicsMatrixFile, run.results[kDynamicsKind], last, 0.1))
        return false;
    sums[kAbsoluteDynamicsKind] =
        PrintMatrixTable(kContinuumTables[kAbsoluteDynamicsKind],
                         run.results[kAbsoluteDynamicsKind], last, rowSums);
    return WriteDoubleList(kContinuumMatrixSumFile, sums, kCorrelationKinds) &&
           WritePrincipleList(kContinuumRowSumFiles[kAbsoluteDynamicsKind], rowSums, last) &&
           WriteUpperTriangle(kAbsoluteDynamicsMatrixFile, run.results[kAbsoluteDynamicsKind],
                              last, 0.1) &&
           WriteDoubleList(kContinuumMatrixSumCopyFile, sums, kCorrelationKinds);
}

static void print_legend_and_weights() {
    static const char* const legend[] = {
        " 1 = SUN; ",     " 2 = MOON; ",    " 3 = MERKUR; ", " 4 = VENUS; ",
        " 5 = MARS; ",    " \n",            " 6 = JUPITER; ", " 7 = SATURN; ",
        " 8 = URANUS; ",  " 9 = NEPTUN; ",  "10 = PLUTO; ",  "11 = EARTH-IC; ", nullptr};
    Print(" Standardize on number per interval ");
    Print(" \n");
    Print(" \n");
    for (const char* const* text = legend; *text; ++text) Print("%s", *text);
    for (int p = 0; p <= run.last; ++p) {
        if (p == 0) Print(" \n \n");
        PrintPrincipleName(static_cast<unsigned>(p));
        Print(" weight: %3.2f  \n", run.weights[p]);
    }
}

void Continuum() {
    run = {};
    if (!ask_format() || !ask_weights() || !ask_period()) return;
    if (!write_random_dates()) return;
    TextOutput(1);
    ClearOutput();
    if (!sample_moments()) return;
    if (!print_tables()) return;
    if (!WriteMatrixCsv(kContinuumCsvFile, run.results, run.last)) return;
    print_legend_and_weights();
    DrawContinuumMatrixPicture(run.results, run.last, run.order, run.selfCorrelation, run.count,
                               run.start, run.end);
    TextOutput(1);  // the tables stay in front, as before the picture
    PlayTada();
}
