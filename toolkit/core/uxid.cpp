#include "toolkit/core/uxid.h"

static int next_id = 1000000;

int uxid_new() { return next_id++; }
