// Modules that are not built yet answer their button with one line on the terminal.

#include "research/modules.h"
#include "shell/output.h"

static void not_available(const char* name) {
    Print("\n %s: this module is not available yet.\n", name);
}

void EventAnalysis() { not_available("Event Analysis"); }
void DensityFunction() { not_available("Statistics 2 - Density Function"); }
void MatrixProbability() { not_available("Matrix Probability"); }
void ArtificialIntelligence() { not_available("Artificial_Intelligence"); }
void PlanetaryFluctuations() { not_available("Planetary Fluctuations - time quality"); }
void CorrelationFunction() { not_available("Correlation function"); }
void OptimalCurve() { not_available("Optimal curve"); }
void UrnModel() { not_available("Urn - model toy"); }
void BiographicRhythms() { not_available("Biografic - rhythms"); }
