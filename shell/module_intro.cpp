#include "shell/module_intro.h"

#include "shell/output.h"

static void print_lines(const char* const* lines) {
    for (; *lines; ++lines) {
        Print("%s", *lines);
        WaitSeconds(0.1);
    }
}

void IntroGeneral(int) {
    static const char* const lines[] = {
        " ", "\n You will find the results in Grafik 1 ... Grafik 12 and Text 1 ... Text 6",
        "\n \n ", nullptr};
    print_lines(lines);
}

void IntroTeamAnalysis(int) {
    static const char* const lines[] = {
        "\n\n TEAM-ANALYSIS ",
        "\n This module calculates the common strengths and weaknesses of a team ",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n You can find the results in graphic: 1,2, Mandalas in 4,5 Text: 1,2,3,4,5,6 ",
        "\n \n ", nullptr};
    print_lines(lines);
}

void IntroContinuum(int) {
    static const char* const lines[] = {
        "\n\n Statistic 1 - CONTINUUM ",
        "\n This module calculates the meam value of the selected correlations over a period of time ",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n You can find the results in Text 1 and Graphics 1", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroDensity(int) {
    static const char* const lines[] = {
        "\n\n Statistics 2 DENSITY FUNCTION",
        "\n ATTENTION !!! the program EVENT ANALYSIS should have been run ",
        "\n This module calculates the density function of the selected correlations over a period of time ",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n The calculation of group sizes from 1 to 1000 is possible",
        "\n results in Graphics: 1 (wave function), 2 (energy) ", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroEventAnalysis(int) {
    static const char* const lines[] = {
        "\n\n EVENT ANALYSIS ", "\n ATTENTION !!! the program continuum should have been run ",
        "\n This module calculates the wave function ",
        "\n The calculation of group sizes from 1 to 1000 is possible",
        "\n results in text 2 and 6 and graphic 3", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroMatrixProbability(int) {
    static const char* const lines[] = {
        "\n\n MATRIX PROBABILITY ",
        "\n ATTENTION !!! the program event analysis should have been run ",
        "\n This module calculates the probability of the events ",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n The calculation of group sizes from 1 to 1000 is possible", "\n results in text 3 ",
        "\n \n ", nullptr};
    print_lines(lines);
}

void IntroArtificialIntelligence(int) {
    static const char* const lines[] = {
        "\n\n ARTIFICIAL INTELLIGENC ",
        "\n ATTENTION !!! This Program requires special instructions !!!",
        "\n ATTENTION !!! the program event analysis and matrix probability should have been run ATTENTION !!!",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n The AI then searches for similar events in the set period ",
        "\n results in graphic 6 and text 6 ", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroStatistics3(int) {
    static const char* const lines[] = {
        "\n\n Statistics 3 - PROBABILITY ",
        "\n Calculation of the probability of evants in a chosen period",
        "\n the values must be given",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n You can find the results in Text 1 ", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroFluctuations(int) {
    static const char* const lines[] = {
        "\n\n FLUKTUATIONS ",
        "\n Program calculates the harmonics of the plantetary gravitational field",
        "\n for a given period of time", "\n The program event analysis should have run befor !!!",
        "\n !!! Calculations in world time !!!  h=h-time zone-sommertime",
        "\n You can find the results in graphic 1 to 4 and Text 1 to 4 ", "\n \n ", nullptr};
    print_lines(lines);
}

void IntroShuffleTest(int) {
    static const char* const lines[] = {
        "\n\n SHUFFLE TEST - CONTROL GROUPS ",
        "\n Tests an event group against control groups made from the group itself: ",
        "\n clock times recoupled, or dates, times and places shuffled (or random moments). ",
        "\n Permutation p, q (false discovery rate), family-wise p, effect size and interval. ",
        "\n You can find the results in Text 4 and Graphic 5; files shuffletest.csv, ",
        "\n shuffletest-record.json and shuffletest-repeat.uxs ", "\n \n ", nullptr};
    print_lines(lines);
}

void ShowWelcome() {
    IntroGeneral(0);
    IntroContinuum(0);
    IntroEventAnalysis(0);
    IntroDensity(0);
    IntroMatrixProbability(0);
    IntroArtificialIntelligence(0);
    IntroStatistics3(0);
    IntroFluctuations(0);
    IntroTeamAnalysis(0);
}
