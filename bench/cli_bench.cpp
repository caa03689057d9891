// Throughput and memory of `bertlv parse --each`, text and JSON, against `xxd -r -p` on the same
// file of 100,000 records, measured in one run with the programs' runs interleaved. Usage:
//   cli_bench [ROUNDS] [RECORDS]
// Each program runs ROUNDS times (default 5) on RECORDS records (default 100,000); the CPU time
// (user + system) of each run comes from wait4, and the ratios are those of the medians. The
// peak resident size of `parse --each` is compared between 1,000 records and RECORDS.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bench/record_lines.h"

namespace {

struct Measure {
    double cpu;
    double wall;
    long peakKb;
    int status;
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double Now() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Runs the program with standard output to /dev/null.
Measure Run(const std::vector<std::string>& arguments) {
    const double start = Now();
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage;
    wait4(child, &status, 0, &usage);
    return Measure{Seconds(usage.ru_utime) + Seconds(usage.ru_stime), Now() - start,
                   usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Program {
    const char* label;
    std::vector<std::string> arguments;
    std::vector<double> cpu;
    std::vector<double> wall;
};

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? atoi(argv[1]) : 5;
    const size_t records = argc > 2 ? static_cast<size_t>(atol(argv[2])) : 100000;
    char folder[] = "/tmp/bertlv-cli-bench-XXXXXX";
    if (rounds < 1 || records < 1 || mkdtemp(folder) == nullptr) {
        fprintf(stderr, "usage: cli_bench [ROUNDS] [RECORDS]\n");
        return 2;
    }
    const std::string many = std::string(folder) + "/many.txt";
    const std::string few = std::string(folder) + "/few.txt";
    RecordFileStats stats;
    RecordFileStats fewStats;
    if (!WriteRecordLines(many, records, 20261208, &stats) ||
        !WriteRecordLines(few, 1000, 20261208, &fewStats)) {
        perror(folder);
        return 1;
    }
    const std::string bertlv = BERTLV_PATH;
    std::vector<Program> programs = {
        {"xxd -r -p", {"xxd", "-r", "-p", many}, {}, {}},
        {"bertlv parse --each", {bertlv, "parse", "--each", many}, {}, {}},
        {"bertlv parse --each --json", {bertlv, "parse", "--each", "--json", many}, {}, {}},
    };
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
        // A different program goes first in each round.
        for (size_t i = 0; i < programs.size(); ++i) {
            Program& program = programs[(i + static_cast<size_t>(round)) % programs.size()];
            const Measure measure = Run(program.arguments);
            failed = failed || measure.status != 0;
            program.cpu.push_back(measure.cpu);
            program.wall.push_back(measure.wall);
        }
    }
    const Measure small = Run({bertlv, "parse", "--each", few});
    const Measure large = Run({bertlv, "parse", "--each", many});

    printf("%zu records of %.1f bytes on average, %.1f MB of hexadecimal text; %d rounds\n",
           stats.records, static_cast<double>(stats.bytes) / static_cast<double>(stats.records),
           static_cast<double>(stats.textBytes) / 1e6, rounds);
    printf("%-28s %10s %10s %8s %12s %10s\n", "", "CPU s", "wall s", "x xxd", "records/s",
           "ns/byte");
    const double reference = Median(programs[0].cpu);
    for (const Program& program : programs) {
        const double cpu = Median(program.cpu);
        printf("%-28s %10.3f %10.3f %8.2f %12.0f %10.2f\n", program.label, cpu,
               Median(program.wall), cpu / reference, static_cast<double>(records) / cpu,
               cpu * 1e9 / static_cast<double>(stats.textBytes));
    }
    printf("peak RSS of parse --each: %ld KiB for 1000 records, %ld KiB for %zu: %+ld KiB\n",
           small.peakKb, large.peakKb, records, large.peakKb - small.peakKb);
    unlink(many.c_str());
    unlink(few.c_str());
    rmdir(folder);
    if (failed || small.status != 0 || large.status != 0) {
        fprintf(stderr, "a run failed\n");
        return 1;
    }
    return 0;
}
