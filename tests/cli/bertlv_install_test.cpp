// `cmake --install` puts the tool, its manual page and its bash completion in place.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "cli/tool_run.h"

namespace {

// Runs a shell command and returns its standard output; `status` gets its exit status.
std::string Shell(const std::string& command, int* status) {
    const std::string out = ScratchPath(".out");
    const int raw = system((command + " >" + out + " 2>&1").c_str());
    *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const std::string text = Slurp(out);
    remove(out.c_str());
    return text;
}

TEST(BertlvInstall, ManualPageAndCompletionAreInstalled) {
    const std::string prefix = ScratchPath(".prefix");
    int status = -1;
    const std::string log = Shell(std::string(CMAKE_COMMAND_PATH) + " --install " + BUILD_DIR +
                                      " --component cli --prefix " + prefix,
                                  &status);
    ASSERT_EQ(status, 0) << log;

    EXPECT_EQ(Shell(prefix + "/bin/bertlv --version", &status), "bertlv (Quorvel BERTLV) 1.00\n");
    const std::string page = Shell("MANPATH=" + prefix + "/share/man man -w bertlv", &status);
    EXPECT_EQ(status, 0) << page;
    EXPECT_EQ(page, prefix + "/share/man/man1/bertlv.1\n");
    const std::string text =
        Shell("MANPATH=" + prefix + "/share/man MANWIDTH=80 man --warnings bertlv", &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(text.find("bertlv - read, show and explain EMV BER-TLV data and APDU traces"),
              std::string::npos)
        << text;
    const std::string warnings =
        Shell("(MANPATH=" + prefix + "/share/man man --warnings bertlv 2>&1 >/dev/null)", &status);
    EXPECT_EQ(warnings, "");

    const std::string completion = prefix + "/share/bash-completion/completions/bertlv";
    const std::string words =
        Shell("bash -c 'source " + completion +
                  "; COMP_WORDS=(bertlv a); COMP_CWORD=1; _bertlv; echo ${COMPREPLY[@]};"
                  " COMP_WORDS=(bertlv analyse --p); COMP_CWORD=2; _bertlv; echo ${COMPREPLY[@]};"
                  " COMP_WORDS=(bertlv parse --); COMP_CWORD=2; _bertlv; echo ${COMPREPLY[@]}'",
              &status);
    EXPECT_EQ(words,
              "analyse\n--path\n--json --no-padding-check --list --ber --each --binary --help\n");
    Shell("rm -rf " + prefix, &status);
}

}  // namespace
