#include "cli/record_driver.h"

#include <stdio.h>

#include "cli/input_sources.h"
#include "cli/output.h"
#include "cli/record_input.h"

namespace {

int RunOne(const RecordOptions& options, const std::vector<InputSource>& sources,
           const RecordRenderer& render) {
    WholeInput input(RecordByteLimit(options.read));
    if (!ReadInputs(sources, options.binary, &input)) {
        return 1;
    }
    bool tooLong = false;
    const std::vector<uint8_t>& bytes = input.Bytes(&tooLong);
    ReadOptions read = options.read;
    if (input.OnlyStoredTrees()) {
        read.checkPadding = false;
    }
    Record record;
    RecordError error;
    if (!ReadRecord(bytes, tooLong, read, &record, &error)) {
        const std::string text =
            error.message + (error.detail.empty() ? "" : "\n\n" + error.detail) + "\n";
        fputs(text.c_str(), stderr);
        return 1;
    }
    std::string out;
    RecordWriter writer(&out, 0);
    std::string problem;
    if (!render(record, options.json, &writer, &problem)) {
        fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    writer.Finish();
    WriteOutput(out);
    return 0;
}

class EachRecord {
public:
    EachRecord(const RecordOptions& options, const RecordRenderer& render, std::string* out)
        : options_(options), render_(render), out_(out) {}

    bool Handle(uint64_t line, const std::vector<uint8_t>& bytes, bool tooLong, bool storedTree) {
        Record record;
        RecordError error;
        // The editor opens a document's tree with padding anywhere.
        ReadOptions read = options_.read;
        if (storedTree) {
            read.checkPadding = false;
        }
        if (!ReadRecord(bytes, tooLong, read, &record, &error)) {
            Fail(line, error);
        } else {
            Show(line, record);
        }
        return WritePendingPiece(out_);
    }

    bool failed() const { return failed_; }

private:
    void Show(uint64_t line, const Record& record) {
        const size_t mark = out_->size();
        if (!options_.json && shown_) {
            *out_ += '\n';
        }
        RecordError error;
        RecordWriter writer(out_, options_.json ? line : 0);
        if (!render_(record, options_.json, &writer, &error.message)) {
            out_->resize(mark);
            Fail(line, error);
            return;
        }
        writer.Finish();
        shown_ = true;
    }

    void Fail(uint64_t line, const RecordError& error) {
        failed_ = true;
        if (options_.json) {
            Json object = Json::object();
            object["line"] = line;
            object["error"] = error.message;
            if (error.located) {
                object["offset"] = error.offset;
            }
            if (!error.problem.empty()) {
                object["problem"] = error.problem;
            }
            AppendJson(object, false, out_);
            *out_ += '\n';
            return;
        }
        std::string text = "line " + std::to_string(line) + ": " + error.message;
        if (!error.problem.empty()) {
            text += " (" + error.problem;
            if (error.located) {
                text += " at offset " + std::to_string(error.offset);
            }
            text += ")";
        }
        text += "\n";
        fputs(text.c_str(), stderr);
    }

    const RecordOptions& options_;
    const RecordRenderer& render_;
    std::string* out_;
    bool shown_ = false;
    bool failed_ = false;
};

int RunEach(const RecordOptions& options, const std::vector<InputSource>& sources,
            const RecordRenderer& render) {
    std::string out;
    EachRecord each(options, render, &out);
    LineRecords lines(
        RecordByteLimit(options.read),
        [&each](uint64_t line, const std::vector<uint8_t>& bytes, bool tooLong, bool storedTree) {
            return each.Handle(line, bytes, tooLong, storedTree);
        });
    FlushingSink sink(&lines, &out);
    const bool read = ReadInputs(sources, false, &sink);
    WritePending(&out);
    ReportEndlessLine(lines.EndlessLine(), lines.EndlessLineMiB());
    return read && !each.failed() && lines.EndlessLine() == 0 ? 0 : 1;
}

}  // namespace

int RunRecords(const RecordOptions& options, const RecordRenderer& render) {
    const std::vector<InputSource> sources = ClassifyInputs(options.inputs, false);
    return options.each ? RunEach(options, sources, render) : RunOne(options, sources, render);
}
