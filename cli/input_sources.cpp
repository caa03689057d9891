#include "cli/input_sources.h"

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/tlv_file.h"
#include "cli/output.h"
#include "core/hex_text.h"

namespace {

// A .tlv document holds at most a few kilobytes; anything far larger is not one.
const size_t kDocumentLimit = 64u << 20;
const size_t kChunkSize = 1u << 16;
const char kByteOrderMark[3] = {'\xEF', '\xBB', '\xBF'};

enum Outcome { OUTCOME_DONE, OUTCOME_STOPPED, OUTCOME_FAILED };

bool IsHexText(const std::string& argument) {
    for (const char c : argument) {
        const bool digit =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!digit && c != ' ' && c != '\t' && c != '\r' && c != '\n') {
            return false;
        }
    }
    return true;
}

// One word holding a dot or a slash ("record.hex", "logs/trace"), or a word of its own that
// starts with a letter beyond F ("session"): as text it would give the digits a name starts
// with, or nothing. A trace line's marker ("<9000", "recv:9000") keeps it text.
bool LooksLikePath(const std::string& argument) {
    if (argument.empty() || argument.find_first_of(" \t\r\n") != std::string::npos) {
        return false;
    }
    const unsigned char first = static_cast<unsigned char>(argument[0]);
    return argument.find_first_of("./") != std::string::npos ||
           (isalpha(first) && !isxdigit(first) && argument.find(':') == std::string::npos);
}

Outcome Fail(const std::string& name, const char* reason) {
    fprintf(stderr, "bertlv: %s: %s\n", name.c_str(), reason);
    return OUTCOME_FAILED;
}

// Reads what is there, up to `size` bytes: a pipe hands over each line as it comes, so that
// records are handled as they arrive. 0 at the end, -1 with errno on failure.
ssize_t ReadChunk(int fd, char* buffer, size_t size) {
    for (;;) {
        const ssize_t got = read(fd, buffer, size);
        if (got >= 0 || errno != EINTR) {
            return got;
        }
    }
}

// Whether the first `have` bytes may begin a .tlv document's signature or a byte order mark,
// of UTF-8 or of UTF-16.
bool MayBeHead(const char* buffer, size_t have) {
    return memcmp(buffer, TLV_FILE_MAGIC, have) == 0 ||
           (have < sizeof kByteOrderMark && memcmp(buffer, kByteOrderMark, have) == 0) ||
           (have == 1 && (buffer[0] == '\xFF' || buffer[0] == '\xFE'));
}

// The first bytes, up to `size`, as far as they may be a .tlv document's signature or a byte
// order mark: reading stops at the first byte that differs from both, so that text is handed on
// as it comes.
ssize_t ReadHead(int fd, char* buffer, size_t size) {
    size_t have = 0;
    while (have < size && MayBeHead(buffer, have)) {
        const ssize_t got = ReadChunk(fd, buffer + have, size - have);
        if (got < 0) {
            return got;
        }
        if (got == 0) {
            break;
        }
        have += static_cast<size_t>(got);
    }
    return static_cast<ssize_t>(have);
}

// The stored tree text of a .tlv document whose first bytes are in `document`.
Outcome ReadDocument(const std::string& name, int fd, std::vector<char> document, InputSink* sink) {
    char chunk[4096];
    ssize_t got = 0;
    while (document.size() <= kDocumentLimit && (got = ReadChunk(fd, chunk, sizeof chunk)) > 0) {
        document.insert(document.end(), chunk, chunk + got);
    }
    if (got < 0) {
        return Fail(name, strerror(errno));
    }
    TlvFileStrings strings;
    if (document.size() > kDocumentLimit ||
        !TlvFileRead(reinterpret_cast<const uint8_t*>(document.data()), document.size(),
                     &strings)) {
        return Fail(name, "not a readable .tlv document");
    }
    return sink->TakeStoredTree(strings.encodedHex.data(), strings.encodedHex.size())
               ? OUTCOME_DONE
               : OUTCOME_STOPPED;
}

Outcome ReadStream(const std::string& name, int fd, bool binary, InputSink* sink) {
    std::vector<char> buffer(kChunkSize);
    const ssize_t head = ReadHead(fd, buffer.data(), sizeof TLV_FILE_MAGIC);
    if (head < 0) {
        return Fail(name, strerror(errno));
    }
    if (static_cast<size_t>(head) == sizeof TLV_FILE_MAGIC &&
        memcmp(buffer.data(), TLV_FILE_MAGIC, sizeof TLV_FILE_MAGIC) == 0) {
        buffer.resize(sizeof TLV_FILE_MAGIC);
        return ReadDocument(name, fd, buffer, sink);
    }
    size_t have = static_cast<size_t>(head);
    // Windows tools save "Unicode" text as UTF-16 with a byte order mark: read as 8-bit text,
    // every other byte would be zero and nothing would convert.
    if (!binary && have >= 2 &&
        ((buffer[0] == '\xFF' && buffer[1] == '\xFE') ||
         (buffer[0] == '\xFE' && buffer[1] == '\xFF'))) {
        return Fail(name, "UTF-16 text; hexadecimal text is read as ASCII or UTF-8");
    }
    // Editors on some systems start a UTF-8 text file with a byte order mark.
    size_t start = 0;
    if (!binary && have >= sizeof kByteOrderMark &&
        memcmp(buffer.data(), kByteOrderMark, sizeof kByteOrderMark) == 0) {
        start = sizeof kByteOrderMark;
    }
    for (;;) {
        if (have > start && !sink->Take(buffer.data() + start, have - start, binary)) {
            return OUTCOME_STOPPED;
        }
        const ssize_t got = ReadChunk(fd, buffer.data(), buffer.size());
        if (got < 0) {
            return Fail(name, strerror(errno));
        }
        if (got == 0) {
            return OUTCOME_DONE;
        }
        have = static_cast<size_t>(got);
        start = 0;
    }
}

Outcome ReadFile(const std::string& path, bool binary, InputSink* sink) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return Fail(path, strerror(errno));
    }
    const Outcome outcome = ReadStream(path, fd, binary, sink);
    close(fd);
    return outcome;
}

// The reading stopped before the sources after `at`: the files among them must still open, so
// that a mistyped name fails however the input before it ended.
bool CheckFilesAfter(const std::vector<InputSource>& sources, size_t at) {
    for (size_t next = at + 1; next < sources.size(); ++next) {
        if (sources[next].kind != INPUT_FILE) {
            continue;
        }
        const std::string& path = sources[next].text;
        // Not blocking on a pipe that no writer opened.
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        struct stat status;
        const int error = fd < 0                    ? errno
                          : fstat(fd, &status) != 0 ? errno
                          : S_ISDIR(status.st_mode) ? EISDIR
                                                    : 0;
        if (fd >= 0) {
            close(fd);
        }
        if (error != 0) {
            Fail(path, strerror(error));
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<InputSource> ClassifyInputs(const std::vector<std::string>& arguments, bool textLines) {
    std::vector<InputSource> sources;
    for (const std::string& argument : arguments) {
        struct stat status;
        InputKind kind = INPUT_TEXT;
        if (argument == "-") {
            kind = INPUT_STDIN;
        } else if (!IsHexText(argument) &&
                   (stat(argument.c_str(), &status) == 0 || LooksLikePath(argument))) {
            // A mistyped file name must fail, not pass as the hex digits it starts with.
            kind = INPUT_FILE;
        }
        if (kind == INPUT_TEXT && !textLines && !sources.empty() &&
            sources.back().kind == INPUT_TEXT) {
            // Each number typed may carry its own 0x; the reading skips only the source's first.
            const size_t digits = argument.find_first_not_of(" \t\r\n");
            const std::string word = digits == std::string::npos ? "" : argument.substr(digits);
            sources.back().text +=
                word.substr(HexTextPrefixLength(word.data(), static_cast<uint32_t>(word.size())));
        } else {
            sources.push_back(InputSource{kind, argument});
        }
    }
    if (sources.empty()) {
        sources.push_back(InputSource{INPUT_STDIN, "-"});
    }
    return sources;
}

bool ReadInputs(const std::vector<InputSource>& sources, bool binary, InputSink* sink) {
    for (size_t at = 0; at < sources.size(); ++at) {
        const InputSource& source = sources[at];
        Outcome outcome = OUTCOME_DONE;
        if (source.kind == INPUT_TEXT) {
            outcome = sink->Take(source.text.data(), source.text.size(), false) ? OUTCOME_DONE
                                                                                : OUTCOME_STOPPED;
        } else if (source.kind == INPUT_STDIN) {
            outcome = ReadStream("standard input", STDIN_FILENO, binary, sink);
        } else {
            outcome = ReadFile(source.text, binary, sink);
        }
        if (outcome != OUTCOME_DONE) {
            return outcome == OUTCOME_STOPPED && CheckFilesAfter(sources, at);
        }
        if (!sink->EndSource()) {
            return true;
        }
    }
    return true;
}

bool FlushingSink::Take(const char* data, size_t size, bool binary) {
    return Flush(inner_->Take(data, size, binary));
}

bool FlushingSink::TakeStoredTree(const char* data, size_t size) {
    return Flush(inner_->TakeStoredTree(data, size));
}

bool FlushingSink::EndSource() {
    return Flush(inner_->EndSource());
}

bool FlushingSink::Flush(bool more) {
    return WritePending(out_) && FlushOutput() && more;
}
