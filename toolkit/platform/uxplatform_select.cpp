#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/platform/uxplatform.h"

const uxPlatform* uxplatform = &uxplatform_headless;

bool uxplatform_select() {
    const char* name = std::getenv("UX_PLATFORM");
    if (name && !std::strcmp(name, "headless")) uxplatform = &uxplatform_headless;
    else uxplatform = &uxplatform_sdl;
    return uxplatform->init();
}
