#pragma once
// The program's version: `git describe` of the source tree the program was built from
// ("659f05b", "659f05b-dirty"), or "unknown" when it was built outside a git checkout.

const char* uxversion_program();
