#pragma once
// The research modules behind the menu buttons: one routine each, without arguments or result.

void Continuum();
void EventAnalysis();
void DensityFunction();
void MatrixProbability();
void ArtificialIntelligence();
void PlanetaryFluctuations();
void CorrelationFunction();
void OptimalCurve();
void UrnModel();
void BiographicRhythms();
void ShuffleTest();
