#include "research/matrix_picture.h"

#include <cmath>
#include <cstdio>

#include "research/chart_font.h"
#include "shell/output.h"
#include "toolkit/drawing/uxscreengraphic.h"

namespace {

const int kWidth = 1920;
const int kHeight = 1080;
const int kCell = kMatrixGridCell;  // a matrix element's square
const int kScaleWidth = 20;  // the colour bar right of each grid
const int kScaleSteps = 40;  // bands of the colour bar
const int kBlack = 0x000000;
const int kWhite = 0xFFFFFF;
const int kBlue = 0x0000FF;

const char* const kRoman[kMatrixPrinciples] = {"I",   "II", "III", "IV", "V", "VI",
                                               "VII", "VIII", "IX", "X",  "IC"};

// The Continuum's matrices of this session, for the event analysis's differences.
struct {
    bool known;
    int last;
    MatrixSet matrices;
} continuum;

// Blue for the most negative value, white for 0, red for the most positive.
int value_colour(double value, double largest) {
    if (!(largest > 0) || !std::isfinite(value)) return kWhite;
    double t = value / largest;
    if (t > 1) t = 1;
    if (t < -1) t = -1;
    const int fade = static_cast<int>(255 * (1 - std::fabs(t)) + 0.5);
    return t >= 0 ? MakeColour(255, fade, fade) : MakeColour(fade, fade, 255);
}

// Element (i, j) of a matrix whose upper triangle holds the values.
double element(const double m[kMatrixSize][kMatrixSize], int i, int j) {
    return i <= j ? m[i][j] : m[j][i];
}

// The frame of one marked cell, black with a white line inside so that it shows on dark and
// light cells alike: one black pixel for a mark, three for a heavy mark. An element that is not
// shown is grey.
void frame_cell(int x, int y, int mark) {
    if (mark <= 0) return;
    if (mark == kMatrixGridGrey) {
        uxgraphic_fillrect(x + 1, y + 1, kCell - 1, kCell - 1, 0xD0D0D0);
        return;
    }
    const int black = mark >= 2 ? 3 : 1;
    for (int k = 0; k < black; ++k)
        uxgraphic_rect(x + 2 + k, y + 2 + k, kCell - 3 - 2 * k, kCell - 3 - 2 * k, kBlack);
    uxgraphic_rect(x + 2 + black, y + 2 + black, kCell - 3 - 2 * black, kCell - 3 - 2 * black,
                   kWhite);
}

}  // namespace

void DrawMatrixGridMark(int x, int y, int mark) {
    uxgraphic_fillrect(x, y, kCell, kCell, kWhite);
    uxgraphic_rect(x, y, kCell + 1, kCell + 1, kBlack);
    frame_cell(x, y, mark);
}

void DrawMatrixGrid(int x, int y, const char* title, const double m[kMatrixSize][kMatrixSize],
                    int last, const MatrixGridOptions* options) {
    const int n = last + 1;
    double largest = 0;
    if (options && options->scale > 0) {
        largest = options->scale;
    } else {
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                const double v = std::fabs(element(m, i, j));
                if (std::isfinite(v) && v > largest) largest = v;
            }
    }
    DrawText(x, y - 28, title, kBlue);
    const int pageFont = UseCompactChartFont();
    for (int p = 0; p < n; ++p) {
        const int w = uxgraphic_textwidth(kRoman[p]);
        DrawText(x + p * kCell + (kCell - w) / 2, y - 4, kRoman[p], kBlack);  // columns
        DrawText(x - 8 - w, y + p * kCell + kCell / 2 + 6, kRoman[p], kBlack);  // rows
    }
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            uxgraphic_fillrect(x + j * kCell, y + i * kCell, kCell, kCell,
                               value_colour(element(m, i, j), largest));
    for (int k = 0; k <= n; ++k) {
        uxgraphic_fillrect(x + k * kCell, y, 1, n * kCell + 1, kBlack);
        uxgraphic_fillrect(x, y + k * kCell, n * kCell + 1, 1, kBlack);
    }
    if (options && options->marks)
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                frame_cell(x + j * kCell, y + i * kCell,
                           i <= j ? options->marks[i][j] : options->marks[j][i]);
    // The scale: +largest at the top, 0 in the middle, -largest at the bottom.
    const int sx = x + n * kCell + 20, height = n * kCell;
    for (int s = 0; s < kScaleSteps; ++s) {
        const int top = s * height / kScaleSteps, bottom = (s + 1) * height / kScaleSteps;
        const double v = largest * (1 - 2.0 * (s + 0.5) / kScaleSteps);
        uxgraphic_fillrect(sx, y + top, kScaleWidth, bottom - top, value_colour(v, largest));
    }
    uxgraphic_rect(sx, y, kScaleWidth, height, kBlack);
    for (int k = 0; k <= 4; ++k) {
        const int ty = y + k * height / 4;
        uxgraphic_fillrect(sx + kScaleWidth, ty, 5, 1, kBlack);
        DrawColouredTextF(sx + kScaleWidth + 8, ty + 6, kBlack, "%.3g", largest * (1 - k / 2.0));
    }
    RestoreChartFont(pageFont);
}

namespace {

// The whole page: a title and the four grids, two by two.
void draw_picture(int page, const char* title, const char* const kindTitles[kCorrelationKinds],
                  const MatrixSet& m, int last) {
    GraphicOutput(page, kWidth, kHeight, kWhite);
    DrawText(20, 20, title, kBlue);
    const int left[2] = {220, 1180};
    const int top[2] = {100, 600};
    for (int k = 0; k < kCorrelationKinds; ++k)
        DrawMatrixGrid(left[k % 2], top[k / 2], kindTitles[k], m[k], last, nullptr);
}

}  // namespace

void DrawContinuumMatrixPicture(const MatrixSet& matrices, int last, int order,
                                int selfCorrelation, int count, const int start[6],
                                const int end[6]) {
    continuum.known = true;
    continuum.last = last;
    for (int k = 0; k < kCorrelationKinds; ++k)
        for (int i = 0; i < kMatrixSize; ++i)
            for (int j = 0; j < kMatrixSize; ++j) continuum.matrices[k][i][j] = matrices[k][i][j];
    static const char* const kinds[kCorrelationKinds] = {
        "H harmony", "I energy", "D dynamics", "DA absolute dynamics"};
    char title[200];
    std::snprintf(title, sizeof title,
                  "Continuum: mean matrices   order %d, %s IC, %s self-correlations, %d moments, "
                  "%d.%d.%d - %d.%d.%d",
                  order, last == 10 ? "with" : "without", selfCorrelation ? "with" : "without",
                  count, start[0], start[1], start[2], end[0], end[1], end[2]);
    draw_picture(1, title, kinds, matrices, last);
}

void DrawEventMatrixPicture(const MatrixSet& matrices, int last, int order, int events,
                            bool continuumRan) {
    char title[200];
    if (continuumRan && continuum.known && continuum.last == last) {
        static MatrixSet differences;
        for (int k = 0; k < kCorrelationKinds; ++k)
            for (int i = 0; i < kMatrixSize; ++i)
                for (int j = 0; j < kMatrixSize; ++j)
                    differences[k][i][j] = matrices[k][i][j] - continuum.matrices[k][i][j];
        static const char* const kinds[kCorrelationKinds] = {
            "H group - H continuum", "I group - I continuum", "D group - D continuum",
            "DA group - DA continuum"};
        std::snprintf(title, sizeof title,
                      "Event analysis: %d events minus the Continuum   order %d, %s IC", events,
                      order, last == 10 ? "with" : "without");
        draw_picture(4, title, kinds, differences, last);
        return;
    }
    static const char* const kinds[kCorrelationKinds] = {
        "H harmony", "I energy", "D dynamics", "DA absolute dynamics"};
    std::snprintf(title, sizeof title, "Event analysis: mean matrices of %d events   order %d, %s IC%s",
                  events, order, last == 10 ? "with" : "without",
                  continuumRan ? " (no Continuum in this session to compare with)" : "");
    draw_picture(4, title, kinds, matrices, last);
}
