#pragma once

#include <string>

struct CommandResult {
    int exitCode = -1; // -1 when the command did not end normally
    std::string output;
};

// Runs a shell command and collects what it writes to standard output.
CommandResult RunCommand(const std::string& command);
