#pragma once
// The introductory texts the modules print at the start of their runs. Each takes one integer
// that is not used, prints line after line and waits 0.1 s after each.

void IntroGeneral(int unused);
void IntroTeamAnalysis(int unused);
void IntroContinuum(int unused);
void IntroDensity(int unused);
void IntroEventAnalysis(int unused);
void IntroMatrixProbability(int unused);
void IntroArtificialIntelligence(int unused);
void IntroStatistics3(int unused);
void IntroFluctuations(int unused);
void IntroShuffleTest(int unused);

// Prints the intros of every module (the WELCOME button).
void ShowWelcome();
