#include "app/font_warm_up.h"

#include <fontconfig/fontconfig.h>
#include <sched.h>

namespace {

void* LoadFontConfiguration(void*) {
    FcInit();
    return nullptr;
}

// A new thread tends to start on the processor of the thread that made it, and the two then
// take turns there until the scheduler moves one. On a virtual machine whose idle processors
// sleep that took milliseconds, and the warm-up delayed the application object instead of
// running beside it. So the thread starts on any other processor the program may use: set when
// it is made, since moving a running thread has the mover wait until the other processor wakes.
void KeepOffThisProcessor(pthread_attr_t* attributes) {
    const int processor = sched_getcpu();
    cpu_set_t allowed;
    if (processor < 0 || sched_getaffinity(0, sizeof allowed, &allowed) != 0 ||
        !CPU_ISSET(processor, &allowed) || CPU_COUNT(&allowed) < 2) {
        return;
    }
    CPU_CLR(processor, &allowed);
    pthread_attr_setaffinity_np(attributes, sizeof allowed, &allowed);
}

}  // namespace

FontWarmUp::FontWarmUp() {
    pthread_attr_t attributes;
    if (pthread_attr_init(&attributes) != 0) {
        return;
    }
    KeepOffThisProcessor(&attributes);
    // Without a thread the configuration loads when a font is first needed, as usual.
    running_ = pthread_create(&thread_, &attributes, LoadFontConfiguration, nullptr) == 0;
    pthread_attr_destroy(&attributes);
}

FontWarmUp::~FontWarmUp() {
    Wait();
}

void FontWarmUp::Wait() {
    if (running_) {
        pthread_join(thread_, nullptr);
        running_ = false;
    }
}
