// The program's main window and module dispatch (being built).
#include "toolkit/uxentry.h"

void ApplicationMain() {}
