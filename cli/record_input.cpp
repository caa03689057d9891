#include "cli/record_input.h"

#include <ctype.h>
#include <stdio.h>

#include "core/hex_text.h"

namespace {

bool IsWhiteSpace(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\t';
}

// Enough stripped characters to show that more than `byteLimit` bytes were given.
size_t TextLimit(size_t byteLimit) {
    return 2 * (byteLimit + 1);
}

// A line longer than this, white space and comments included, is no record or trace line: the
// input ends there, so that an endless one (a device, a binary file) cannot keep the reading
// going. Far beyond any record a line of text may hold.
size_t EndlessLineSize(size_t textLimit) {
    const size_t floor = 64u << 20;
    return 2 * textLimit > floor ? 2 * textLimit : floor;
}

// Converts `text`; true when the conversion ran to its end (an unpaired last digit aside). A
// "0x" before the digits of typed text, as programmers write hexadecimal numbers, is no part of
// them; a document's stored tree is read as the editor reads it.
bool AppendConverted(const std::string& text, bool typed, std::vector<uint8_t>* bytes) {
    const size_t prefix =
        typed ? HexTextPrefixLength(text.data(), static_cast<uint32_t>(text.size())) : 0;
    const size_t digits = text.size() - prefix;
    const size_t at = bytes->size();
    bytes->resize(at + digits / 2 + 1);
    uint32_t count = 0;
    HexTextToBytes(text.data() + prefix, static_cast<uint32_t>(digits), bytes->data() + at, &count);
    bytes->resize(at + count);
    return count == digits / 2;
}

// Appends the characters of `data` that are no white space to `text`, up to `limit` of them.
// False once the text has reached the limit: there was more than a record holds.
bool AppendStripped(const char* data, size_t size, size_t limit, std::string* text) {
    for (size_t i = 0; i < size && text->size() < limit; ++i) {
        if (!IsWhiteSpace(data[i])) {
            text->push_back(data[i]);
        }
    }
    return text->size() < limit;
}

}  // namespace

WholeInput::WholeInput(size_t byteLimit)
    : textLimit_(TextLimit(byteLimit)), byteLimit_(byteLimit) {}

bool WholeInput::Take(const char* data, size_t size, bool binary) {
    otherInput_ = true;
    return Append(data, size, binary, true);
}

bool WholeInput::TakeStoredTree(const char* data, size_t size) {
    storedTrees_ = true;
    return Append(data, size, false, false);
}

bool WholeInput::EndSource() {
    sourceStart_ = text_.size();
    prefixPending_ = true;
    return true;
}

bool WholeInput::Append(const char* data, size_t size, bool binary, bool typed) {
    if (ended_) {
        return false;
    }
    if (binary) {
        ConvertText();
        if (ended_) {
            return false;
        }
        const size_t room = bytes_.size() > byteLimit_ ? 0 : byteLimit_ + 1 - bytes_.size();
        bytes_.insert(bytes_.end(), data, data + (size < room ? size : room));
        return bytes_.size() <= byteLimit_;
    }
    const size_t before = text_.size();
    const bool room = AppendStripped(data, size, textLimit_, &text_);
    const bool prefixWasPending = prefixPending_;
    SkipSourcePrefix(typed);
    // Conversion stops at the first character that is no hex digit: nothing after it counts,
    // so a device or a large file of other text is not read to its end.
    const size_t from = prefixWasPending && sourceStart_ < before ? sourceStart_ : before;
    for (size_t i = from; i < text_.size(); ++i) {
        if (!isxdigit(static_cast<unsigned char>(text_[i]))) {
            return false;
        }
    }
    return room;
}

void WholeInput::SkipSourcePrefix(bool typed) {
    if (!prefixPending_ || text_.size() < sourceStart_ + 2) {
        return;
    }
    prefixPending_ = false;
    if (typed && HexTextPrefixLength(text_.data() + sourceStart_, 2) == 2) {
        text_.erase(sourceStart_, 2);
    }
}

void WholeInput::ConvertText() {
    if (!text_.empty() && !ended_) {
        ended_ = !AppendConverted(text_, false, &bytes_);
    }
    text_.clear();
    sourceStart_ = 0;
}

const std::vector<uint8_t>& WholeInput::Bytes(bool* tooLong) {
    ConvertText();
    *tooLong = bytes_.size() > byteLimit_;
    return bytes_;
}

LineRecords::LineRecords(size_t byteLimit, Handler handler)
    : textLimit_(TextLimit(byteLimit)),
      lineLimit_(EndlessLineSize(TextLimit(byteLimit))),
      byteLimit_(byteLimit),
      handler_(std::move(handler)) {}

bool LineRecords::Take(const char* data, size_t size, bool) {
    for (size_t i = 0; i < size; ++i) {
        const char c = data[i];
        bool ends = false;
        if (breaks_.Take(c, &ends)) {
            if (ends && !EndLine()) {
                return false;
            }
            continue;
        }
        if (++lineSize_ > lineLimit_) {
            // What was kept of it would read as a record it is not.
            endlessLine_ = ++line_;
            ClearLine();
            return false;
        }
        if (IsWhiteSpace(c)) {
            started_ = true;
            continue;
        }
        if (text_.empty() && !comment_ && c == '#') {
            comment_ = true;
        }
        started_ = true;
        if (comment_) {
            continue;
        }
        if (text_.size() < textLimit_) {
            text_.push_back(c);
        } else {
            overflow_ = true;
        }
    }
    return true;
}

bool LineRecords::TakeStoredTree(const char* data, size_t size) {
    if (started_ && !EndLine()) {
        return false;
    }
    storedTree_ = true;
    started_ = true;
    overflow_ = !AppendStripped(data, size, textLimit_, &text_);
    return EndLine();
}

bool LineRecords::EndSource() {
    breaks_.EndSource();
    return !started_ || EndLine();
}

bool LineRecords::EndLine() {
    ++line_;
    bool more = true;
    // A document's tree is a record even when empty, and an endless line is reported.
    if (!text_.empty() || storedTree_ || overflow_) {
        bytes_.clear();
        AppendConverted(text_, !storedTree_, &bytes_);
        more = handler_(line_, bytes_, overflow_ || bytes_.size() > byteLimit_, storedTree_);
    }
    ClearLine();
    return more;
}

void LineRecords::ClearLine() {
    text_.clear();
    started_ = false;
    comment_ = false;
    overflow_ = false;
    storedTree_ = false;
    lineSize_ = 0;
}

bool TextLines::Take(const char* data, size_t size, bool) {
    for (size_t i = 0; i < size; ++i) {
        bool ends = false;
        if (breaks_.Take(data[i], &ends)) {
            if (ends && !EndLine()) {
                return false;
            }
            continue;
        }
        if (++lineSize_ > EndlessLineSize(limit_)) {
            cut_ = true;
            EndLine();
            endlessLine_ = line_;
            return false;
        }
        started_ = true;
        if (text_.size() < limit_) {
            text_.push_back(data[i]);
        } else {
            cut_ = true;
        }
    }
    return true;
}

size_t TextLines::EndlessLineMiB() const {
    return EndlessLineSize(limit_) >> 20;
}

bool TextLines::EndSource() {
    breaks_.EndSource();
    return !started_ || EndLine();
}

bool TextLines::EndLine() {
    ++line_;
    const bool more = handler_(line_, text_, cut_);
    text_.clear();
    started_ = false;
    cut_ = false;
    lineSize_ = 0;
    return more;
}

void ReportEndlessLine(uint64_t line, size_t mib) {
    if (line != 0) {
        fprintf(stderr, "bertlv: line %llu: longer than %zu MiB, the input ends there\n",
                static_cast<unsigned long long>(line), mib);
    }
}
