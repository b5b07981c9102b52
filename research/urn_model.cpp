// Urn model ("Urn - model toy"): the hypergeometric chance of one outcome, or the binomial
// chances summed over a range of hit counts, with expected value and variance, on text page 1.

#include "research/urn_model.h"

#include "research/modules.h"
#include "shell/dialogs.h"
#include "shell/output.h"
#include "toolkit/core/uxevent.h"

static const int kMaxCount = 10000;

double RunningBinomial(int a, int m) {
    if (m < 0) return 0.0;
    double coefficient = 1.0;
    for (int i = 1; i <= m; ++i) {
        coefficient *= a - i + 1;
        coefficient /= i;
    }
    return coefficient;
}

double HypergeometricProbability(int total, int red, int drawn, int hits) {
    double a = RunningBinomial(red, hits);
    double b = RunningBinomial(total - red, drawn - hits);
    double c = RunningBinomial(total, drawn);
    return b * a / c;
}

double BinomialProbability(int n, int k, double p) {
    if (k < 0) return 0.0;
    double value = 1.0;
    for (int i = 1; i <= k; ++i) {
        value *= n - i + 1;
        value /= i;
        value *= p;
    }
    for (int i = 0; i < n - k; ++i) value *= 1.0 - p;
    return value;
}

static void hypergeometric() {
    int total = InputInt("\n Anzahl der Kugeln in der Urne N: ", 1, kMaxCount, 1);
    int red = InputInt("\n Davon Anzahl der roten Kugeln r: ", 1, kMaxCount, 1);
    int drawn = InputInt("\n Anzahl der entnommenen Kugeln n: ", 1, kMaxCount, 1);
    int hits = InputInt("\n Anzahl der gezogenen roten Kugeln k: ", 1, kMaxCount, 1);
    if (!ModuleGoesOn()) return;
    Print("\n Hypergeometrische Verteilung (ohne Zur\xfc" "cklegen)  ");
    Print("\n N: %d   n: %d   r: %d   k: %d    ", total, drawn, red, hits);
    double a = RunningBinomial(red, hits);
    double b = RunningBinomial(total - red, drawn - hits);
    double c = RunningBinomial(total, drawn);
    Print("\n a: %f  b: %f  c: %f  ", a, b, c);
    double p = HypergeometricProbability(total, red, drawn, hits);
    // For p = 0 the reciprocal is infinite and prints as "inf".
    Print("\n Wahrscheinlichkeit p: %f  1/p=P: %f ", p, 1.0 / p);
    Print("\n Erwartungswert: %f  ", static_cast<double>(drawn) * red / total);
}

static void binomial() {
    Print("\n Binomialverteilung (mit Zur\xfc" "cklegen) ");
    double p = InputDouble("\n Wahrscheinlichkeit des Ereignisses: ", 0.0, 1.0, 0.5);
    int n = InputInt("\n Anzahl der Ereignisse n: ", 1, kMaxCount, 1);
    int first = InputInt("\n Anzahl der Treffer (ANFANG) ka: ", 0, kMaxCount, 1);
    int last = InputInt("\n Anzahl der Treffer (ENDE) ke: ", 0, kMaxCount, 1);
    if (!ModuleGoesOn()) return;
    Print("\n p: %f n: %d   ka: %d  ke: %d   ", p, n, first, last);
    if (last < first) {
        Print("\n FEHLER: ke<ka !!  Werte werden vertauscht");
        int swap = first;
        first = last;
        last = swap;
    }
    double sum = 0.0;
    for (int k = first; k <= last; ++k) {
        double chance = BinomialProbability(n, k, p);
        Print("\n j: %d a: %f  ", k, chance);
        sum += chance;
    }
    Print("\n k: %d ke: %d  Wahrscheinlichkeit im Bereich: %f  ", first, last, sum);
    Print("\n Erwartungswert: %f  Varianz: %f ", n * p, n * p * (1.0 - p));
}

void UrnModel() {
    static const char* const kinds[] = {"Hypergeometrische Verteilung (ohne Zur\xfc" "cklegen)",
                                        "Binomialverteilung (mit Zur\xfc" "cklegen):"};
    Print("\n  ----Wahrscheinlichkeit - Urnenmodell-----\n");
    int kind = ChooseOption("Verteilung:", 2, kinds);
    if (!ModuleGoesOn() || kind < 1) return;
    TextOutput(1);
    ClearOutput();
    if (kind == 1)
        hypergeometric();
    else
        binomial();
    if (!ModuleGoesOn()) return;
    PlayTada();
}
