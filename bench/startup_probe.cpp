// Start-up of two programs, interleaved: launches each in turn on an X display and measures the
// time from launch until its window with the given title is mapped, then its peak memory once
// it has been idle for a second. Prints minimum and median per program and the ratio of the
// first program's median time to the second's, with the range of the ratios of each pair.
//   startup_probe RUNS PROGRAM TITLE REFERENCE REFERENCE_TITLE
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

struct Launch {
    double mapped;  // ms, negative when the window did not appear within 10 s
    double memory;  // MiB
};

Launch LaunchOnce(Display* display, const char* program, const char* title) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    Launch launch = {-1, -1};
    while (Now() - start < 10000 && launch.mapped < 0) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && HasTitle(display, event.xmap.window, title)) {
                launch.mapped = Now() - start;
            }
        }
        usleep(200);
    }
    if (launch.mapped >= 0) {
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

void Print(const char* name, const std::vector<Launch>& launches) {
    std::vector<double> times;
    std::vector<double> memory;
    for (const Launch& launch : launches) {
        times.push_back(launch.mapped);
        memory.push_back(launch.memory);
    }
    printf(
        "%-10s window mapped after: minimum %.1f ms, median %.1f ms; peak memory idle: "
        "median %.1f MiB, highest %.1f MiB\n",
        name, *std::min_element(times.begin(), times.end()), Median(times), Median(memory),
        *std::max_element(memory.begin(), memory.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        fprintf(stderr, "usage: startup_probe RUNS PROGRAM TITLE REFERENCE REFERENCE_TITLE\n");
        return 2;
    }
    const int runs = atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || runs < 1) {
        fprintf(stderr, "no X display, or no runs\n");
        return 1;
    }
    std::vector<Launch> ours;
    std::vector<Launch> reference;
    std::vector<double> ratios;
    for (int i = 0; i < runs; ++i) {
        // Each pair starts with the other program than the pair before.
        Launch first;
        Launch second;
        if (i % 2 == 0) {
            first = LaunchOnce(display, argv[2], argv[3]);
            second = LaunchOnce(display, argv[4], argv[5]);
        } else {
            second = LaunchOnce(display, argv[4], argv[5]);
            first = LaunchOnce(display, argv[2], argv[3]);
        }
        if (first.mapped < 0 || second.mapped < 0) {
            fprintf(stderr, "a window did not appear\n");
            return 1;
        }
        ours.push_back(first);
        reference.push_back(second);
        ratios.push_back(first.mapped / second.mapped);
    }
    Print("program", ours);
    Print("reference", reference);
    std::vector<double> ourTimes;
    std::vector<double> referenceTimes;
    for (int i = 0; i < runs; ++i) {
        ourTimes.push_back(ours[i].mapped);
        referenceTimes.push_back(reference[i].mapped);
    }
    printf("ratio of the median times %.2f (pairs %.2f to %.2f, median %.2f, %d pairs)\n",
           Median(ourTimes) / Median(referenceTimes),
           *std::min_element(ratios.begin(), ratios.end()),
           *std::max_element(ratios.begin(), ratios.end()), Median(ratios), runs);
    XCloseDisplay(display);
    return 0;
}
