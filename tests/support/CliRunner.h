#pragma once
// Runs the built morva-cli as a user runs it and captures what it says.

#include <string>
#include <vector>

namespace morva::test {

struct CliOutcome {
    int status = -1;
    std::string out, err;
};

// `input` is what the tool reads on standard input.
CliOutcome RunCli(std::vector<std::string> args, const std::string& input = {});

} // namespace morva::test
