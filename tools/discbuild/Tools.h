#pragma once
// The Debian tools that discbuild drives, started without a shell: the program
// found on PATH, arguments as given, and what it printed kept for the report.
#include <functional>
#include <string>
#include <vector>

struct ToolRun {
    int status = -1;     // the exit status; -1 when it could not be started or was killed
    std::string output;  // standard output
    std::string errors;  // standard error
};

// The full path of `program` on PATH, empty when it is not there.
std::string FindTool(const std::string& program);

// Runs argv[0] with the rest; `env` adds NAME=VALUE entries. `onErrorLine`, when
// set, is called with each line of standard error as it arrives (progress).
ToolRun RunTool(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
                const std::function<void(const std::string&)>& onErrorLine = {});

// "xorriso: exit status 1: <its last error lines>", for a failure report.
std::string DescribeFailure(const std::string& what, const ToolRun& run);
