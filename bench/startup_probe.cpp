// Start-up time of the editor: launches it repeatedly on an X display and measures the time
// from launch until its main window ("Quorvel BERTLV") is mapped. Prints minimum and median.
//   startup_probe PROGRAM [RUNS]
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

bool IsMainWindow(Display* display, Window window) {
    char* name = nullptr;
    const bool found = XFetchName(display, window, &name) != 0 && name != nullptr &&
                       strncmp(name, "Quorvel BERTLV", 14) == 0;
    if (name != nullptr) {
        XFree(name);
    }
    return found;
}

// Milliseconds until the window maps, or a negative number after 10 s without it.
double MeasureOnce(Display* display, const char* program) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double mapped = -1;
    while (Now() - start < 10000) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && IsMainWindow(display, event.xmap.window)) {
                mapped = Now() - start;
            }
        }
        if (mapped >= 0) {
            break;
        }
        usleep(200);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return mapped;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: startup_probe PROGRAM [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? atoi(argv[2]) : 15;
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        fprintf(stderr, "no X display\n");
        return 1;
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double ms = MeasureOnce(display, argv[1]);
        if (ms < 0) {
            fprintf(stderr, "the main window did not appear\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    printf("start-up to main window mapped over %d runs: minimum %.1f ms, median %.1f ms\n", runs,
           times.front(), times[times.size() / 2]);
    XCloseDisplay(display);
    return 0;
}
