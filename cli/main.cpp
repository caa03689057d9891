// bertlv: the command-line companion of the Quorvel BERTLV editor.
#include <errno.h>
#include <stdio.h>
#include <string.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/element_path.h"
#include "cli/output.h"

namespace {

const char kSynopsis[] =
    "usage: bertlv parse   [--json] [--no-padding-check] [--list] [--ber] [--each] [--binary]\n"
    "                      [--mask] [INPUT ...]\n"
    "       bertlv analyse [--json] [--no-padding-check] [--list] [--ber] [--each] [--binary]\n"
    "                      [--mask] [--path I/J/...] [INPUT ...]\n"
    "       bertlv dict    [--json] [INDEX | TAG]\n"
    "       bertlv trace   [--json] [--mask] [INPUT ...]\n"
    "       bertlv --help | COMMAND --help | --version\n";

const char kInputHelp[] =
    "Hexadecimal text, a file (a .tlv document gives its stored tree; other files hold "
    "hexadecimal text, or raw bytes with --binary) or - for standard input; standard input "
    "when none is given. Text arguments are joined; white space is ignored and conversion stops "
    "at the first other character that is not a hex digit.";

const char kMaskHelp[] =
    "Show card numbers masked, first six and last four digits kept (476173******0010): the PAN "
    "in 5A, 57 and 9F6B, and runs of 12 or more digits in 9F1F, 9F20 and 56.";
const char kTraceMaskHelp[] =
    "Show card numbers masked, as parse --mask does, wherever a line holds one (one cut short "
    "keeps its first six digits only), and the PIN block of a plaintext-PIN VERIFY but for its "
    "control byte.";

const char kFooter[] =
    "Exit status: 0 success; 1 bad data, an unknown entry or a failed read or write; 2 bad "
    "usage. See bertlv(1).";

// The options `parse` and `analyse` share.
struct RecordFlags {
    RecordOptions options;
    bool ber = false;
};

// Help without the library's notes on flags ("Excludes: --binary"): their texts say it.
class HelpFormatter : public CLI::Formatter {
public:
    std::string make_option_opts(const CLI::Option* option) const override {
        return option->get_expected_max() == 0 ? std::string()
                                               : CLI::Formatter::make_option_opts(option);
    }
};

void AddRecordOptions(CLI::App* command, RecordFlags* flags) {
    RecordOptions& options = flags->options;
    command->add_flag("--json", options.json, "Write JSON instead of text.");
    command->add_flag_callback(
        "--no-padding-check", [&options] { options.read.checkPadding = false; },
        "Accept padding anywhere inside a template (the strict reading); do not flag misplaced "
        "padding (the general reader).");
    command->add_flag("--list", options.read.list,
                      "The input is a sequence of top-level elements, read with the general "
                      "reader.");
    command->add_flag("--ber", flags->ber,
                      "Read with the general reader: tags of up to 4 bytes, lengths 81 to 84.");
    CLI::Option* each = command->add_flag(
        "--each", options.each,
        "Every non-empty line is a record of its own; lines starting with # are skipped. JSON "
        "output is then JSON Lines. Not with --binary.");
    command
        ->add_flag("--binary", options.binary,
                   "Files and standard input hold raw bytes. Not with --each.")
        ->excludes(each);
    command->add_flag("--mask", options.mask, kMaskHelp);
    command->add_option("INPUT", options.inputs, kInputHelp);
}

int UsageError(const std::string& message) {
    fprintf(stderr, "%s\nbertlv: %s\n", kSynopsis, message.c_str());
    return EXIT_USAGE;
}

int Run(int argc, char** argv) {
    CLI::App app("Reads, shows and explains EMV BER-TLV data.", "bertlv");
    app.footer(kFooter);
    app.formatter(std::make_shared<HelpFormatter>());
    app.require_subcommand(0, 1);
    bool version = false;
    app.add_flag("--version", version, "Print the version and exit.");

    RecordFlags parse;
    CLI::App* parseCommand = app.add_subcommand(
        "parse", "Show BER-TLV data as the editor's data element grid does: one row per element.");
    AddRecordOptions(parseCommand, &parse);

    RecordFlags analyse;
    std::vector<uint32_t> path;
    bool hasPath = false;
    CLI::App* analyseCommand = app.add_subcommand(
        "analyse",
        "Show the Analysis panel's rows for one element: its parts and its value decoded.");
    AddRecordOptions(analyseCommand, &analyse);
    analyseCommand
        ->add_option_function<std::string>(
            "--path",
            [&path, &hasPath](const std::string& text) { hasPath = ParseElementPath(text, &path); },
            "The element to analyse by child indices from the root (0/2: the third child of the "
            "first); with --list the first index picks the top-level element.")
        ->type_name("I/J/...")
        ->check(CLI::Validator(
            [](std::string& text) {
                std::vector<uint32_t> indices;
                return ParseElementPath(text, &indices)
                           ? std::string()
                           : "decimal indices separated by single slashes expected";
            },
            "", "element path"));

    bool dictJson = false;
    std::string key;
    CLI::App* dictCommand = app.add_subcommand(
        "dict", "List the 142 entries of the data element dictionary, or show one of them.");
    dictCommand->add_flag("--json", dictJson, "Write JSON instead of text.");
    dictCommand
        ->add_option("KEY", key,
                     "A decimal index (0 to 141) or a hexadecimal tag (9F26, or 0x50 for a tag of "
                     "decimal digits only).")
        ->check(CLI::Validator(
            [](std::string& text) {
                return DictKeyIsWellFormed(text) ? std::string()
                                                 : "a decimal index or a hexadecimal tag expected";
            },
            "", "dictionary key"));

    bool traceJson = false;
    bool traceMask = false;
    std::vector<std::string> traceInputs;
    CLI::App* traceCommand = app.add_subcommand(
        "trace", "Decode an APDU trace: one command or response per line, as hexadecimal text.");
    traceCommand->add_flag("--json", traceJson, "Write one JSON object per exchange.");
    traceCommand->add_flag("--mask", traceMask, kTraceMaskHelp);
    traceCommand->add_option(
        "INPUT", traceInputs,
        "Trace files, hexadecimal text (each argument a line), or - for standard input; a line "
        "starting with - (the -> and --> markers) follows --.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = app.exit(help, out, err);
        WriteOutput(out.str());
        return status;
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    if (version) {
        if (!app.get_subcommands().empty()) {
            return UsageError("--version takes no command");
        }
        WriteOutput("bertlv (Quorvel BERTLV) 1.00\n");
        return 0;
    }
    if (parseCommand->parsed()) {
        parse.options.read.general = parse.ber || parse.options.read.list;
        return RunParse(parse.options);
    }
    if (analyseCommand->parsed()) {
        analyse.options.read.general = analyse.ber || analyse.options.read.list;
        return RunAnalyse(analyse.options, hasPath, path);
    }
    if (dictCommand->parsed()) {
        return RunDict(dictJson, key);
    }
    if (traceCommand->parsed()) {
        return RunTrace(traceJson, traceMask, traceInputs);
    }
    return UsageError("a command is required");
}

// Data whose rows or JSON need more memory than there is ends the program with a message, not
// an abort: an exception could not unwind, since freeing a large JSON value allocates.
void OutOfMemory() {
    fprintf(stderr, "bertlv: %s\n", strerror(ENOMEM));
    _exit(1);
}

}  // namespace

int main(int argc, char** argv) {
    std::set_new_handler(OutOfMemory);
    return FinishOutput(Run(argc, argv));
}
