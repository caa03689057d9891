// bertlv: the command-line companion of the Quorvel BERTLV editor.
#include <stdio.h>
#include <string.h>

#include "cli/commands.h"
#include "cli/output.h"

namespace {

const char kUsage[] =
    "usage: bertlv parse   [--json] [--no-padding-check] [HEX ...]\n"
    "       bertlv analyse [--json] [--no-padding-check] [--path I/J/...] [HEX ...]\n"
    "       bertlv dict    [--json] [INDEX | TAG]\n"
    "       bertlv --help | --version\n"
    "\n"
    "parse  Shows one BER-TLV data object as the editor's data element grid does. HEX is the\n"
    "       data as hexadecimal text, joined from the arguments or read from standard input;\n"
    "       white space is ignored and conversion stops at the first other non-hex character.\n"
    "       Padding may stand only next to a primitive element unless --no-padding-check.\n"
    "analyse  Shows the Analysis panel's rows for one element: the root, or the element that\n"
    "       --path names by child indices from the root (0/2: the third child of the first).\n"
    "dict   Lists the 142 entries of the data element dictionary, or shows one of them:\n"
    "       INDEX in decimal (0 to 141), or TAG in hexadecimal (9F26, or 0x50 for a tag of\n"
    "       decimal digits only).\n"
    "--json Writes JSON instead of text.\n"
    "\n"
    "Exit status: 0 success, 1 bad data or unknown entry, 2 bad usage.\n";

}  // namespace

int UsageError() {
    fputs(kUsage, stderr);
    return EXIT_USAGE;
}

namespace {

int Run(int argc, char** argv) {
    if (argc < 2) {
        return UsageError();
    }
    const std::vector<std::string> rest(argv + 2, argv + argc);
    if (strcmp(argv[1], "--help") == 0 && rest.empty()) {
        WriteOutput(kUsage, sizeof kUsage - 1);
        return 0;
    }
    if (strcmp(argv[1], "--version") == 0 && rest.empty()) {
        WriteOutput("bertlv (Quorvel BERTLV) 1.00\n");
        return 0;
    }
    if (strcmp(argv[1], "parse") == 0) {
        return RunParse(rest);
    }
    if (strcmp(argv[1], "analyse") == 0) {
        return RunAnalyse(rest);
    }
    if (strcmp(argv[1], "dict") == 0) {
        return RunDict(rest);
    }
    return UsageError();
}

}  // namespace

int main(int argc, char** argv) {
    return FinishOutput(Run(argc, argv));
}
