// Where the data of `parse`, `analyse` and `trace` comes from: hexadecimal text given as
// arguments, files, or standard input.
#ifndef QUORVEL_CLI_INPUT_SOURCES_H
#define QUORVEL_CLI_INPUT_SOURCES_H

#include <stddef.h>

#include <string>
#include <vector>

enum InputKind { INPUT_TEXT, INPUT_FILE, INPUT_STDIN };

struct InputSource {
    InputKind kind;
    // The hexadecimal text, or the file's path.
    std::string text;
};

// "-" is standard input; an argument made of hex digits and white space only is hexadecimal
// text; any other argument that names an existing file, or looks like a file name (one word
// holding a dot or a slash, or starting with a letter beyond F and holding no colon), is a
// file; the rest is text too (converted by the editor's rule, which stops at the first other
// character). Adjacent text arguments are joined into one source, unless each is a line of
// its own (`textLines`). Without arguments, standard input.
std::vector<InputSource> ClassifyInputs(const std::vector<std::string>& arguments, bool textLines);

// Receives the contents of the sources in order.
class InputSink {
public:
    virtual ~InputSink() = default;
    // Hexadecimal text, or raw bytes when `binary`. Returning false stops the reading.
    virtual bool Take(const char* data, size_t size, bool binary) = 0;
    // The tree text stored in a .tlv document; taken as any other text unless a sink reads
    // it differently.
    virtual bool TakeStoredTree(const char* data, size_t size) { return Take(data, size, false); }
    // The source that was read last has ended. Returning false stops the reading.
    virtual bool EndSource() = 0;
};

// Passes the input on to `inner` and writes out what that produced in `out` after each piece,
// so that records read from a pipe show as they come.
class FlushingSink : public InputSink {
public:
    FlushingSink(InputSink* inner, std::string* out) : inner_(inner), out_(out) {}
    bool Take(const char* data, size_t size, bool binary) override;
    bool TakeStoredTree(const char* data, size_t size) override;
    bool EndSource() override;

private:
    bool Flush(bool more);

    InputSink* inner_;
    std::string* out_;
};

// Reads each source into `sink`. A file that starts with the .tlv document signature gives
// its stored tree text; other files and standard input give text, or raw bytes when `binary`.
// False, after printing "bertlv: NAME: REASON" on standard error, when a source cannot be
// read.
bool ReadInputs(const std::vector<InputSource>& sources, bool binary, InputSink* sink);

#endif
