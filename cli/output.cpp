#include "cli/output.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

namespace {

// The errno of the first failed write, 0 while every write succeeded.
int g_writeError = 0;

void NoteFailure() {
    if (g_writeError == 0) {
        g_writeError = errno != 0 ? errno : EIO;
    }
}

}  // namespace

bool WriteOutput(const char* bytes, size_t count) {
    if (g_writeError != 0) {
        return false;
    }
    errno = 0;
    if (count > 0 && fwrite(bytes, 1, count, stdout) != count) {
        NoteFailure();
    }
    return g_writeError == 0;
}

bool WriteOutput(const std::string& text) {
    return WriteOutput(text.data(), text.size());
}

bool WritePending(std::string* pending) {
    const bool written = WriteOutput(*pending);
    pending->clear();
    return written;
}

bool WritePendingPiece(std::string* pending) {
    const size_t kPieceSize = 1u << 16;
    return pending->size() < kPieceSize || WritePending(pending);
}

bool FlushOutput() {
    errno = 0;
    if (g_writeError == 0 && fflush(stdout) != 0) {
        NoteFailure();
    }
    return g_writeError == 0;
}

int FinishOutput(int status) {
    errno = 0;
    if (g_writeError == 0 && (fflush(stdout) != 0 || ferror(stdout) != 0)) {
        NoteFailure();
    }
    if (g_writeError != 0) {
        fprintf(stderr, "bertlv: write error: %s\n", strerror(g_writeError));
        return 1;
    }
    return status;
}
