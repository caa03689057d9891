// Start-up of two programs, interleaved: launches each in turn on an X display and measures the
// time from launch until its window with the given title is mapped, and until the program first
// draws into it (what the user first sees), then its peak memory once it has been idle for a
// second. Prints minimum and median per program and the ratios of the first program's median
// times to the second's, with the range of the ratios of each pair.
//   startup_probe RUNS PROGRAM TITLE REFERENCE REFERENCE_TITLE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
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

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    const bool found = XFetchName(display, window, &name) != 0 && name != nullptr &&
                       strncmp(name, title, strlen(title)) == 0;
    if (name != nullptr) {
        XFree(name);
    }
    return found;
}

// The peak resident set of a running process in MiB, or a negative number.
double PeakMemory(pid_t process) {
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(process));
    FILE* status = fopen(path, "r");
    double peak = -1;
    char line[256];
    while (status != nullptr && fgets(line, sizeof line, status) != nullptr) {
        if (strncmp(line, "VmHWM:", 6) == 0) {
            peak = atol(line + 6) / 1024.0;
        }
    }
    if (status != nullptr) {
        fclose(status);
    }
    return peak;
}

// Damage is asked for on every new top-level window, some of which (input-only ones) refuse it.
int IgnoreErrors(Display*, XErrorEvent*) {
    return 0;
}

struct Launch {
    double mapped;  // ms, negative when the window did not appear within 10 s
    double drawn;   // ms, negative when nothing was drawn into it within 10 s
    double memory;  // MiB
};

Launch LaunchOnce(Display* display, int damageEvent, const char* program, const char* title) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    Launch launch = {-1, -1, -1};
    Window shown = 0;
    while (Now() - start < 10000 && (launch.mapped < 0 || launch.drawn < 0)) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            // Watched from its creation, so that no drawing can come before the watch.
            if (event.type == CreateNotify &&
                event.xcreatewindow.parent == DefaultRootWindow(display)) {
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) {
                launch.mapped = Now() - start;
                shown = event.xmap.window;
            } else if (event.type == damageEvent + XDamageNotify && launch.drawn < 0 &&
                       reinterpret_cast<const XDamageNotifyEvent&>(event).drawable == shown) {
                launch.drawn = Now() - start;
            }
        }
        // Asleep until the server writes: polling on a timer would take the processor from
        // the program being measured, or keep it awake, at random moments.
        pollfd connection = {ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 50);
    }
    if (launch.mapped >= 0 && launch.drawn >= 0) {
        sleep(1);
        launch.memory = PeakMemory(child);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    return launch;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<double> Times(const std::vector<Launch>& launches, double Launch::*time) {
    std::vector<double> times;
    for (const Launch& launch : launches) {
        times.push_back(launch.*time);
    }
    return times;
}

void Print(const char* name, const std::vector<Launch>& launches) {
    const std::vector<double> mapped = Times(launches, &Launch::mapped);
    const std::vector<double> drawn = Times(launches, &Launch::drawn);
    const std::vector<double> memory = Times(launches, &Launch::memory);
    printf(
        "%-10s window mapped after: minimum %.1f ms, median %.1f ms; first drawn after: minimum "
        "%.1f ms, median %.1f ms; peak memory idle: median %.1f MiB, highest %.1f MiB\n",
        name, *std::min_element(mapped.begin(), mapped.end()), Median(mapped),
        *std::min_element(drawn.begin(), drawn.end()), Median(drawn), Median(memory),
        *std::max_element(memory.begin(), memory.end()));
}

void PrintRatio(const char* what, const std::vector<Launch>& ours,
                const std::vector<Launch>& reference, double Launch::*time) {
    const std::vector<double> ourTimes = Times(ours, time);
    const std::vector<double> referenceTimes = Times(reference, time);
    std::vector<double> ratios;
    for (size_t i = 0; i < ours.size(); ++i) {
        ratios.push_back(ourTimes[i] / referenceTimes[i]);
    }
    printf("ratio of the median times %s %.2f (pairs %.2f to %.2f, median %.2f, %zu pairs)\n", what,
           Median(ourTimes) / Median(referenceTimes),
           *std::min_element(ratios.begin(), ratios.end()),
           *std::max_element(ratios.begin(), ratios.end()), Median(ratios), ours.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: startup_probe RUNS PROGRAM TITLE REFERENCE REFERENCE_TITLE\n");
        return 2;
    }
    const int runs = atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0;
    int damageError = 0;
    if (display == nullptr || runs < 1 ||
        !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        fprintf(stderr, "no X display with the DAMAGE extension, or no runs\n");
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    std::vector<Launch> ours;
    std::vector<Launch> reference;
    for (int i = 0; i < runs; ++i) {
        // Each pair starts with the other program than the pair before.
        Launch first;
        Launch second;
        if (i % 2 == 0) {
            first = LaunchOnce(display, damageEvent, argv[2], argv[3]);
            second = LaunchOnce(display, damageEvent, argv[4], argv[5]);
        } else {
            second = LaunchOnce(display, damageEvent, argv[4], argv[5]);
            first = LaunchOnce(display, damageEvent, argv[2], argv[3]);
        }
        if (first.drawn < 0 || second.drawn < 0) {
            fprintf(stderr, "a window did not appear, or nothing was drawn into it\n");
            return 1;
        }
        ours.push_back(first);
        reference.push_back(second);
    }
    Print("program", ours);
    Print("reference", reference);
    PrintRatio("to the map", ours, reference, &Launch::mapped);
    PrintRatio("to the first drawing", ours, reference, &Launch::drawn);
    XCloseDisplay(display);
    return 0;
}
