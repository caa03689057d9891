#include "app/file_access.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <new>
#include <vector>

const size_t kMaxDocumentFileSize = 64u * 1024u * 1024u;

namespace {

const size_t kReadChunk = 64 * 1024;

bool Fail(std::string* reason, const std::string& text) {
    *reason = text;
    return false;
}

bool FailWithErrno(std::string* reason, int error) {
    return Fail(reason, strerror(error));
}

bool RefuseUnlessRegular(const struct stat& info, std::string* reason) {
    if (S_ISREG(info.st_mode)) {
        return true;
    }
    return Fail(reason, S_ISDIR(info.st_mode) ? strerror(EISDIR)
                                              : "Not a regular file (a device, pipe or socket)");
}

std::string TooLarge(size_t limit) {
    const size_t mebibyte = 1024 * 1024;
    const std::string size = limit % mebibyte == 0 ? std::to_string(limit / mebibyte) + " MiB"
                                                   : std::to_string(limit) + " bytes";
    return "The file is larger than " + size + "; no document is that large.";
}

// What was opened must be a regular file within the limit; `size` receives its size.
bool CheckOpened(int fd, size_t limit, size_t* size, std::string* reason) {
    struct stat info;
    if (fstat(fd, &info) != 0) {
        return FailWithErrno(reason, errno);
    }
    if (!RefuseUnlessRegular(info, reason)) {
        return false;
    }
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > limit) {
        return Fail(reason, TooLarge(limit));
    }
    *size = static_cast<size_t>(info.st_size);
    return true;
}

bool ReadOpened(int fd, size_t limit, size_t size, std::vector<uint8_t>* contents,
                std::string* reason) {
    // The size is only a hint: the file may shrink or grow while it is read.
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(size + 1);
        size_t used = 0;
        for (;;) {
            if (used == buffer.size()) {
                if (used > limit) {
                    return Fail(reason, TooLarge(limit));
                }
                buffer.resize(used +
                              (limit + 1 - used < kReadChunk ? limit + 1 - used : kReadChunk));
            }
            const ssize_t got = read(fd, buffer.data() + used, buffer.size() - used);
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return FailWithErrno(reason, errno);
            }
            if (got == 0) {
                break;
            }
            used += static_cast<size_t>(got);
        }
        if (used > limit) {
            return Fail(reason, TooLarge(limit));
        }
        buffer.resize(used);
    } catch (const std::bad_alloc&) {
        return FailWithErrno(reason, ENOMEM);
    }
    contents->swap(buffer);
    return true;
}

// The file a path stands for: the path itself, or the target of the link it names.
bool ResolveTarget(const std::string& path, std::string* target, bool* exists, struct stat* info,
                   std::string* reason) {
    *target = path;
    *exists = false;
    if (lstat(path.c_str(), info) != 0) {
        return errno == ENOENT || FailWithErrno(reason, errno);
    }
    if (S_ISLNK(info->st_mode)) {
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            return FailWithErrno(reason, errno);
        }
        *target = resolved;
        free(resolved);
        if (stat(target->c_str(), info) != 0) {
            return FailWithErrno(reason, errno);
        }
    }
    *exists = true;
    if (!RefuseUnlessRegular(*info, reason)) {
        return false;
    }
    // The new file takes the old one's place through the folder: a file the user may not
    // write stays as it is all the same.
    return access(target->c_str(), W_OK) == 0 || FailWithErrno(reason, errno);
}

// Closes `fd` after a write that went as `written` says, flushed first: space that the file
// system hands out late shows up at the flush rather than at the write.
bool SyncAndClose(int fd, bool written, std::string* reason) {
    if (written && fsync(fd) != 0 && errno != EINVAL) {
        written = FailWithErrno(reason, errno);
    }
    if (close(fd) != 0 && written) {
        written = FailWithErrno(reason, errno);
    }
    return written;
}

// Writes `size` bytes over the start of `fd` and cuts it there.
bool WriteOver(int fd, const uint8_t* data, size_t size, std::string* reason) {
    if (lseek(fd, 0, SEEK_SET) != 0) {
        return FailWithErrno(reason, errno);
    }
    if (!WriteAll(fd, data, size, reason)) {
        return false;
    }
    return ftruncate(fd, static_cast<off_t>(size)) == 0 || FailWithErrno(reason, errno);
}

// For a file the user may write in a folder they may not: the file is written over where it is.
// Space beyond the old end is taken first, so that a full disk most often fails before any byte
// changes. A write that fails half way puts the old contents back where it can; where it cannot,
// the reason says that the file may be incomplete.
bool OverwriteInPlace(const std::string& target, const struct stat& checked, const uint8_t* data,
                      size_t size, std::string* reason) {
    std::vector<uint8_t> old;
    std::string unread;
    const bool kept = ReadRegularFile(target, kMaxDocumentFileSize, &old, &unread);
    const int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return FailWithErrno(reason, errno);
    }
    // What was opened must be the regular file checked before, not one put in its place since.
    struct stat opened;
    if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != checked.st_dev ||
        opened.st_ino != checked.st_ino) {
        close(fd);
        return Fail(reason, "The file was replaced while it was being saved.");
    }
    if (static_cast<off_t>(size) > opened.st_size) {
        const int error =
            posix_fallocate(fd, opened.st_size, static_cast<off_t>(size) - opened.st_size);
        if (error != 0 && error != EINVAL && error != EOPNOTSUPP) {
            return SyncAndClose(fd, FailWithErrno(reason, error), reason);
        }
    }
    const bool written = WriteOver(fd, data, size, reason);
    if (!written) {
        std::string ignored;
        if (!kept || !WriteOver(fd, old.data(), old.size(), &ignored)) {
            *reason += ". The file was written over in place and may be incomplete.";
        }
    }
    return SyncAndClose(fd, written, reason);
}

mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int OpenRegularFile(const std::string& path, size_t limit, size_t* size, std::string* reason) {
    // The type is checked before opening, and again on what was opened: opening a device can
    // act on it, and a pipe without a writer would block a plain open for ever.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        FailWithErrno(reason, errno);
        return -1;
    }
    if (!RefuseUnlessRegular(info, reason)) {
        return -1;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        FailWithErrno(reason, errno);
        return -1;
    }
    if (!CheckOpened(fd, limit, size, reason)) {
        close(fd);
        return -1;
    }
    return fd;
}

bool ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>* contents,
                     std::string* reason) {
    size_t size = 0;
    const int fd = OpenRegularFile(path, limit, &size, reason);
    if (fd < 0) {
        return false;
    }
    const bool read = ReadOpened(fd, limit, size, contents, reason);
    close(fd);
    return read;
}

bool ReadAt(int fd, uint64_t offset, uint8_t* out, size_t length, std::string* reason) {
    size_t done = 0;
    while (done < length) {
        const ssize_t got = pread(fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailWithErrno(reason, errno);
        }
        if (got == 0) {
            return Fail(reason, "The file became shorter while it was read.");
        }
        done += static_cast<size_t>(got);
    }
    return true;
}

bool WriteAll(int fd, const uint8_t* data, size_t size, std::string* reason) {
    size_t written = 0;
    while (written < size) {
        const ssize_t put = write(fd, data + written, size - written);
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FailWithErrno(reason, errno);
        }
        if (put == 0) {
            return FailWithErrno(reason, EIO);
        }
        written += static_cast<size_t>(put);
    }
    return true;
}

bool CheckReplaceable(const std::string& path, std::string* reason) {
    std::string target;
    bool exists = false;
    struct stat info;
    return ResolveTarget(path, &target, &exists, &info, reason);
}

bool ReplaceRegularFile(const std::string& path, const uint8_t* data, size_t size,
                        std::string* reason) {
    std::string target;
    bool exists = false;
    struct stat info;
    if (!ResolveTarget(path, &target, &exists, &info, reason)) {
        return false;
    }
    std::string temporary = target + ".XXXXXX";
    const int fd = mkostemp(&temporary[0], O_CLOEXEC);
    if (fd < 0) {
        if (exists && (errno == EACCES || errno == EPERM)) {
            return OverwriteInPlace(target, info, data, size, reason);
        }
        return FailWithErrno(reason, errno);
    }
    const mode_t mode = exists ? (info.st_mode & 07777) : NewFileMode();
    bool written = WriteAll(fd, data, size, reason);
    if (written && fchmod(fd, mode) != 0) {
        written = FailWithErrno(reason, errno);
    }
    written = SyncAndClose(fd, written, reason);
    if (written && rename(temporary.c_str(), target.c_str()) != 0) {
        written = FailWithErrno(reason, errno);
    }
    if (!written) {
        unlink(temporary.c_str());
    }
    return written;
}
