// The matrix tables of the research reports.

#include "research/matrix_report.h"

#include "shell/output.h"

static const char kContinuumHeadH[] =
    "\nPrinciple    I         II        III        IV        V         VI        VII       VIII      IX         X        IC        SUMME  \n";
static const char kContinuumHeadHWithoutIc[] =
    "\nPrinciple    I         II       III        IV        V         VI        VII       VIII      IX         X         SUMME  \n";
static const char kContinuumHead[] =
    "\nPrinzip:      I         II       III        IV        V        VI        VII       VIII      IX         X         IC        SUMME  \n";
static const char kContinuumHeadWithoutIc[] =
    "\nPrinzip:      I         II       III        IV        V        VI        VII       VIII      IX         X         SUMME  \n";

const MatrixTableLayout kContinuumTables[kCorrelationKinds] = {
    {nullptr, kContinuumHeadH, kContinuumHeadHWithoutIc, "    %6.2f", "     %7.2f",
     " Sum of the Matrix H: %9.2f \n"},
    {"\n Matrix ISquare-root of the energy, standardize on number per interval", kContinuumHead,
     kContinuumHeadWithoutIc, "    %6.2f", "      %7.2f", " Sum of the Matrix I: %9.2f \n"},
    {"\nMatrix D First derivation, standardize on number of the group-members", kContinuumHead,
     kContinuumHeadWithoutIc, "    %6.2f", "     %7.2f", " Sum of the matrix D: %9.2f \n"},
    {"\n Matrix DA First derivation(absolute), standardize on number per interval  ",
     kContinuumHead, kContinuumHeadWithoutIc, "    %6.2f", "     %7.2f",
     " Sum of the Matrix DA: %9.2f "},
};

double PrintMatrixTable(const MatrixTableLayout& layout,
                        const double matrix[kMatrixSize][kMatrixSize], int last,
                        double rowSums[kMatrixSize]) {
    if (last > kMatrixPrinciples - 1) last = kMatrixPrinciples - 1;
    double sum = RowSums(matrix, last, rowSums);
    if (layout.heading) Print("%s", layout.heading);
    Print("%s", last >= kMatrixPrinciples - 1 ? layout.headWithIc : layout.headWithoutIc);
    for (int i = 0; i <= last; ++i) {
        Print(" %2.0i", i + 1);
        Print("   ");
        for (int j = 0; j <= last; ++j) Print(layout.cellFormat, matrix[i][j]);
        Print(layout.rowSumFormat, rowSums[i]);
        Print(" \n");
    }
    Print(layout.sumFormat, sum);
    return sum;
}

void PrintEventRowSums(const double rows[kCorrelationKinds][kMatrixSize], int last, int order) {
    for (int p = 0; p <= last; ++p)
        Print("\n zeile: %i h: %7.2f i: %7.2f d: %7.2f da: %7.2f  ", p, rows[kHarmonyKind][p],
              rows[kEnergyKind][p], rows[kDynamicsKind][p], rows[kAbsoluteDynamicsKind][p]);
    Print("\n  Order of the correlation = %i \n ", order);
}
