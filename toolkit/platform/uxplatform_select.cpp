#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "toolkit/platform/uxplatform.h"

const uxPlatform* uxplatform = &uxplatform_headless;

namespace {
int display_scale = 1;
}

int uxplatform_scale_from_env(int proposed) {
    const char* text = std::getenv("UX_SCALE");
    if (text && text[0] >= '1' && text[0] <= '4' && text[1] == 0) return text[0] - '0';
    return proposed;
}

int uxplatform_scale() { return display_scale; }

bool uxplatform_select() {
    const char* name = std::getenv("UX_PLATFORM");
    if (name && !std::strcmp(name, "headless")) uxplatform = &uxplatform_headless;
    else uxplatform = &uxplatform_sdl;
    if (!uxplatform->init()) return false;
    display_scale = uxplatform->scale ? uxplatform->scale() : 1;
    uxplatform_install_signal_handlers();
    return true;
}
