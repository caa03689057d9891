// Runs the bertlv commands on arbitrary input files: the first byte picks the options, the second
// the command, the rest is the file. Traces with any lines, records of any shape read every way,
// analysed at any path: nothing may read out of bounds, leak or fail a sanitizer check.
// Run with -close_fd_mask=3: the commands write to standard output and standard error.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

// A file in memory, named by its /proc path as a user would name a file.
std::string MemoryFile(const uint8_t* data, size_t size) {
    static const int fd = memfd_create("input", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0) {
        abort();
    }
    size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, data + written, size - written);
        if (n <= 0) {
            abort();
        }
        written += static_cast<size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint8_t choice = data[0];
    const uint8_t command = data[1];
    const std::string path = MemoryFile(data + 2, size - 2);
    RecordOptions options;
    options.json = (choice & 0x01) != 0;
    options.mask = (choice & 0x02) != 0;
    options.each = (choice & 0x04) != 0;
    options.read.general = (choice & 0x08) != 0;
    options.read.list = options.read.general && (choice & 0x10) != 0;
    options.read.checkPadding = (choice & 0x20) == 0;
    options.inputs = {path};
    switch (command & 0x07) {
        case 0:
            RunTrace(options.json, options.mask, options.inputs);
            break;
        case 1:
        case 2:
            options.binary = (command & 0x08) != 0;
            RunParse(options);
            break;
        case 3:
            RunAnalyse(options, false, {});
            break;
        default: {
            const std::vector<uint32_t> paths[] = {{0}, {1}, {0, 1}, {1, 0}, {2, 0, 1}, {0, 0, 0}};
            RunAnalyse(options, true, paths[(command >> 3) % 6]);
            break;
        }
    }
    fflush(stdout);
    return 0;
}
