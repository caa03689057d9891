// Reading and writing whole document files: only regular files, read with bounded reads and
// replaced only once the new contents are complete, each failure with the system's reason.
#ifndef QUORVEL_APP_FILE_ACCESS_H
#define QUORVEL_APP_FILE_ACCESS_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// The largest document file that is read: a stored tree never exceeds 520 hexadecimal digits,
// so only the pane text can make a file large.
extern const size_t kMaxDocumentFileSize;

// Reads the regular file at `path` (links followed) into `contents`. A directory, device, pipe
// or socket is refused without waiting for it, as is a file of more than `limit` bytes. False
// with `reason` set on any failure.
bool ReadRegularFile(const std::string& path, size_t limit, std::vector<uint8_t>* contents,
                     std::string* reason);

// Opens the regular file at `path` (links followed) for reading, refused as ReadRegularFile
// refuses. The descriptor, with `size` set to the file's size; -1 with `reason` set.
int OpenRegularFile(const std::string& path, size_t limit, size_t* size, std::string* reason);

// Reads `length` bytes at `offset` of `fd`: false with the reason when that fails, also when
// the file ends before (it became shorter while it was read).
bool ReadAt(int fd, uint64_t offset, uint8_t* out, size_t length, std::string* reason);

// Replaces the file at `path` (links followed; created when missing) by `size` bytes, through
// a new file beside it that takes its place once written in full: a failure leaves the old file
// as it was. Where the folder takes no new file, a file the user may write is written over in
// place. A target that exists and is not a regular file is refused and left alone.
bool ReplaceRegularFile(const std::string& path, const uint8_t* data, size_t size,
                        std::string* reason);

// Whether ReplaceRegularFile may replace the file at `path` (or create it), as far as can be
// told before writing: false with the reason that it would give.
bool CheckReplaceable(const std::string& path, std::string* reason);

// Writes all `size` bytes to `fd`. False with the system's reason ("No space left on device").
bool WriteAll(int fd, const uint8_t* data, size_t size, std::string* reason);

#endif
