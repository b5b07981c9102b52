// Placeholder until the module is built: answers its button with one line on the terminal.

#include "research/modules.h"
#include "shell/output.h"

void BiographicRhythms() { Print("\n %s: this module is not available yet.\n", "Biografic - rhythms"); }
