#include "toolkit/uxentry.h"

int main(int argc, char** argv) { return uxentry_run(argc, argv); }
