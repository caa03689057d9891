// Loads the system's font configuration on a thread of its own while the application object
// is made: the first text the main window measures would otherwise wait for it to load.
#ifndef QUORVEL_APP_FONT_WARM_UP_H
#define QUORVEL_APP_FONT_WARM_UP_H

#include <pthread.h>

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits until the configuration is loaded; the fonts' first user then finds it ready.
    void Wait();

private:
    pthread_t thread_{};
    bool running_ = false;
};

#endif
