// The shuffle test's z-matrices as colour grids.

#include "research/shuffle/shuffle_chart.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "research/matrix_picture.h"
#include "shell/output.h"
#include "toolkit/drawing/uxscreengraphic.h"

namespace {

const int kWidth = 1920;
const int kHeight = 1080;
const int kBlack = 0x000000;
const int kWhite = 0xFFFFFF;
const int kBlue = 0x0000FF;
const double kLevel = 0.05;
// The colour scale runs at least from z = -3 to +3, so that chance values stay pale.
const double kMinScale = 3.0;

const char* const kKindTitles[kCorrelationKinds] = {
    "z of H harmony", "z of I energy", "z of D dynamics", "z of DA absolute dynamics"};

struct KindGrid {
    double z[kMatrixSize][kMatrixSize];
    unsigned char marks[kMatrixSize][kMatrixSize];
};

// A sample cell with the mark and its text: the legend of the two marks.
int legend_entry(int x, int y, int mark, const char* text) {
    DrawMatrixGridMark(x, y - 20, mark);
    DrawText(x + kMatrixGridCell + 10, y + 8, text, kBlack);
    return x + kMatrixGridCell + 10 + uxgraphic_textwidth(text) + 40;
}

}  // namespace

void DrawShuffleChart(const ShuffleRun& run) {
    const ShuffleResult& r = run.result;
    const ShuffleSettings& s = run.settings;
    static KindGrid grids[kCorrelationKinds];
    std::memset(grids, 0, sizeof grids);
    for (KindGrid& g : grids) std::memset(g.marks, kMatrixGridGrey, sizeof g.marks);
    double scale = kMinScale;
    for (size_t i = 0; i < r.quantities.size(); ++i) {
        const ShuffleQuantity& q = r.quantities[i];
        const ShuffleStatistic& st = r.statistics[i];
        if (q.row < 0 || q.column < 0 || q.kind < 0 || q.kind >= kCorrelationKinds) continue;
        KindGrid& g = grids[q.kind];
        g.z[q.row][q.column] = st.z;
        g.marks[q.row][q.column] = st.pFamily < kLevel ? 2 : st.q < kLevel ? 1 : 0;
        if (std::isfinite(st.z) && std::fabs(st.z) > scale) scale = std::fabs(st.z);
    }
    GraphicOutput(kShuffleGraphicPage, kWidth, kHeight, kWhite);
    // A long table name is cut so that the title stays on the page.
    char table[40];
    const char* name = ShuffleTableName(run);
    if (std::strlen(name) < sizeof table)
        std::snprintf(table, sizeof table, "%s", name);
    else
        std::snprintf(table, sizeof table, "%.*s...", static_cast<int>(sizeof table) - 4, name);
    char title[300];
    std::snprintf(title, sizeof title,
                  "Shuffle test: %d events of %s against %d control groups (%s), order %d, %s IC",
                  run.count, table, s.controlGroups,
                  kShuffleDesignCaptions[s.design - 1], s.order, s.last == 10 ? "with" : "without");
    DrawText(20, 20, title, kBlue);
    int x = legend_entry(20, 62, 1, "q < 0.05");
    x = legend_entry(x, 62, 2, "family-wise p < 0.05");
    DrawText(x, 70, "colour: z, blue below 0, red above; grey: not tested; sums on Text 4", kBlack);
    const int left[2] = {220, 1180};
    const int top[2] = {130, 625};
    for (int k = 0; k < kCorrelationKinds; ++k) {
        MatrixGridOptions options = {scale, grids[k].marks};
        DrawMatrixGrid(left[k % 2], top[k / 2], kKindTitles[k], grids[k].z, s.last, &options);
    }
}
