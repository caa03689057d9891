#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>

#include <system_error>

FontWarmUp::FontWarmUp() {
    try {
        thread_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // Without a thread the configuration loads when a font is first needed, as usual.
    }
}

FontWarmUp::~FontWarmUp() {
    Wait();
}

void FontWarmUp::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}
