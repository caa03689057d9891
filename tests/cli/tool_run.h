// Runs the built bertlv binary as a process and captures what it prints.
#ifndef QUORVEL_TESTS_CLI_TOOL_RUN_H
#define QUORVEL_TESTS_CLI_TOOL_RUN_H

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

inline std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A path of its own for every call: tests run in parallel processes, and test runs side by side.
inline std::string ScratchPath(const std::string& suffix) {
    static int made = 0;
    return ::testing::TempDir() + "bertlv_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
           std::to_string(getpid()) + "_" + std::to_string(++made) + suffix;
}

// A file holding the given bytes for the life of the object.
class ScratchFile {
public:
    ScratchFile(const std::string& bytes, const std::string& suffix) : path_(ScratchPath(suffix)) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~ScratchFile() { remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// `input` is fed to standard input; arguments are passed through the shell as written. Standard
// output goes to `target` when one is named, and is then not captured.
inline ToolRun RunTool(const std::string& arguments, const std::string& input = "",
                       const std::string& target = "") {
    const std::string base = ScratchPath("");
    const std::string in = base + ".in", out = base + ".out", err = base + ".err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = std::string(BERTLV_PATH) + " " + arguments + " <" + in + " >" +
                                (target.empty() ? out : target) + " 2>" + err;
    const int raw = system(command.c_str());
    ToolRun run = {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
    for (const std::string& path : {in, out, err}) {
        remove(path.c_str());
    }
    return run;
}

#endif
