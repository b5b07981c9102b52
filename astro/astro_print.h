#pragma once
// Diagnostics of the astronomy code. astro/ knows nothing of windows: the shell installs its
// Print here at start, until then the text goes to standard output.

using AstroPrintSink = void (*)(const char* text);

// A null sink restores the default (standard output).
void SetAstroPrintSink(AstroPrintSink sink);

// Formats into a 2000-byte buffer (longer texts are cut) and hands the text to the sink.
void AstroPrint(const char* format, ...) __attribute__((format(printf, 1, 2)));

// While the calling thread holds its diagnostics, AstroPrint on that thread only counts them:
// the workers of a parallel loop must not reach the output (the loop then computes its moments
// once more on the main thread, which prints them in order). Per thread.
void HoldAstroPrint(bool hold);
// The diagnostics counted on the calling thread since its hold began.
int HeldAstroPrints();
