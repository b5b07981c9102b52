#pragma once
// The modal parameter dialogs. None can be cancelled; each returns when its confirming button
// fires or the application stops.

// An argument of -1 marks a field that is not asked (shown at its fixed default and locked).
void InputDate(const char* title, int* day, int* month, int* year, int* hour, int* minute,
               int* second);
int InputInt(const char* message, int minimum, int maximum, int start);
// 1 Yes, 0 No, -1 when the application stops.
int InputYesNo(const char* message, int defaultYes);
double InputDouble(const char* message, double minimum, double maximum, double start);
// labels: 1 to 24 texts; the list ends at the first nullptr (or after 24).
void InputArray(const char* message, double* values, const char* const* labels);
// Returns 1..n, or -1 when the application stops. At most 100 options.
int ChooseOption(const char* title, int n, const char* const* texts);
void ShowMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
