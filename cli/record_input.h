// Turns the text (or bytes) of the inputs into records: the whole input as one, or one per line.
#ifndef QUORVEL_CLI_RECORD_INPUT_H
#define QUORVEL_CLI_RECORD_INPUT_H

#include <stdint.h>

#include <functional>
#include <string>
#include <vector>

#include "cli/input_sources.h"

// Hexadecimal text is converted by the editor's rule: white space (space, carriage return,
// line feed, tab) is removed, conversion stops at the first other character that is not a hex
// digit, and an unpaired last digit is dropped.
//
// `byteLimit` bounds what is kept: reading stops once the input is known to hold more, so an
// endless stream cannot exhaust memory, and the record is then marked too long.

// Line ends as any system writes them: a line feed, a carriage return and line feed, or a lone
// carriage return, as from a serial console.
class LineBreaks {
public:
    // Whether `c` is part of a line end; `ends` tells whether it ends a line, which the line
    // feed of a pair does not do again.
    bool Take(char c, bool* ends) {
        const bool lineFeedOfPair = c == '\n' && afterReturn_;
        afterReturn_ = c == '\r';
        *ends = !lineFeedOfPair;
        return c == '\r' || c == '\n';
    }
    void EndSource() { afterReturn_ = false; }

private:
    bool afterReturn_ = false;
};

// The whole input as one record.
class WholeInput : public InputSink {
public:
    explicit WholeInput(size_t byteLimit);
    bool Take(const char* data, size_t size, bool binary) override;
    bool TakeStoredTree(const char* data, size_t size) override;
    bool EndSource() override;

    // The bytes read; `tooLong` when there were more than the limit.
    const std::vector<uint8_t>& Bytes(bool* tooLong);
    // Whether all of the input was the trees stored in .tlv documents, which the editor opens
    // without the padding rule.
    bool OnlyStoredTrees() const { return storedTrees_ && !otherInput_; }

private:
    // `typed`: text of the user's, which may carry a 0x before its digits; not a stored tree.
    bool Append(const char* data, size_t size, bool binary, bool typed);
    // Drops a "0x" that starts the current source's text, once its first two characters came.
    void SkipSourcePrefix(bool typed);
    void ConvertText();

    size_t textLimit_;
    size_t byteLimit_;
    std::string text_;
    std::vector<uint8_t> bytes_;
    // Set once the conversion met a character that ends it: nothing after it counts.
    bool ended_ = false;
    bool storedTrees_ = false;
    bool otherInput_ = false;
    // Where the current source's text starts in text_, and whether its first two characters
    // are still to be looked at for a "0x".
    size_t sourceStart_ = 0;
    bool prefixPending_ = true;
};

// One record per line. Lines that are empty, hold only white space or start with '#' (after
// white space) are skipped; each source ends its last line. Lines are numbered from 1 over all
// sources. Memory stays that of the longest line, up to the limit.
class LineRecords : public InputSink {
public:
    // Gets each record: its line number, its bytes, whether it was too long and whether it is
    // the tree stored in a .tlv document (one record, read as the editor opens it). Returning
    // false stops the reading.
    using Handler = std::function<bool(uint64_t line, const std::vector<uint8_t>& bytes,
                                       bool tooLong, bool storedTree)>;

    LineRecords(size_t byteLimit, Handler handler);
    bool Take(const char* data, size_t size, bool binary) override;
    bool TakeStoredTree(const char* data, size_t size) override;
    bool EndSource() override;
    // The number of the line that ended the input by its length, which is no record; 0 when
    // none did.
    uint64_t EndlessLine() const { return endlessLine_; }
    // The length from which a line ends the input, in MiB.
    size_t EndlessLineMiB() const { return lineLimit_ >> 20; }

private:
    bool EndLine();
    void ClearLine();

    LineBreaks breaks_;
    size_t textLimit_;
    // A line this long, comments and white space included, ends the input.
    size_t lineLimit_;
    size_t lineSize_ = 0;
    bool storedTree_ = false;
    size_t byteLimit_;
    Handler handler_;
    uint64_t line_ = 0;
    // The current line: its characters without white space, whether it has any character at
    // all, whether it is a comment and whether it went past the limit.
    std::string text_;
    bool started_ = false;
    bool comment_ = false;
    bool overflow_ = false;
    uint64_t endlessLine_ = 0;
    std::vector<uint8_t> bytes_;
};

// The lines of the inputs as they are, numbered from 1 over all sources; each source ends its
// last line. A line longer than the limit is cut there; an endless one ends the input.
class TextLines : public InputSink {
public:
    // Gets each line without its line feed, and whether it was cut. Returning false stops the
    // reading.
    using Handler = std::function<bool(uint64_t line, const std::string& text, bool cut)>;

    TextLines(size_t limit, Handler handler) : limit_(limit), handler_(std::move(handler)) {}
    bool Take(const char* data, size_t size, bool binary) override;
    bool EndSource() override;
    // The number of the line that ended the input by its length; 0 when none did.
    uint64_t EndlessLine() const { return endlessLine_; }
    size_t EndlessLineMiB() const;

private:
    bool EndLine();

    LineBreaks breaks_;
    size_t limit_;
    // A line far longer than the limit ends the input, as for records.
    size_t lineSize_ = 0;
    Handler handler_;
    uint64_t line_ = 0;
    std::string text_;
    bool started_ = false;
    bool cut_ = false;
    uint64_t endlessLine_ = 0;
};

// Tells on standard error that line `line` ended the input by being longer than `mib` MiB;
// nothing for line 0.
void ReportEndlessLine(uint64_t line, size_t mib);

#endif
