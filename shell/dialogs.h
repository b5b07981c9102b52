#pragma once
// The modal parameter dialogs. Each returns when its confirming button fires, when the
// application stops, or when the person leaves it with Escape or its close box: that cancels the
// running module (uxevent_cancel with the dialog's title), and the dialog returns as when the
// application stops.

// The one check a module makes after its dialogs: false when the application stops or the
// person left a dialog of this run, and the module must return without computing or writing.
bool ModuleGoesOn();

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
// The reason a module run cannot go on: in a message box and on the terminal, then the module's
// own `stoppedLine`. Returns false for the caller to pass on.
bool RefuseModuleRun(const char* stoppedLine, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// The same after the person chose to stop: on the terminal only.
bool StopModuleRun(const char* stoppedLine, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
