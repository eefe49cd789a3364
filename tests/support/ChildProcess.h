#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Starts the program arguments[0] with exactly the environment given, its standard output and
// error appended to the file `log`; std::runtime_error when it cannot start.
pid_t SpawnLogged(const std::vector<std::string>& arguments,
                  const std::vector<std::string>& environment, const std::string& log);
// This process's environment, less the entries whose names start with one of `dropped`, with
// `added` ("NAME=value") after them.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& added,
                                         const std::vector<std::string>& dropped = {});
// The child's status as waitpid gives it once it has ended within the time; none while it runs.
std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds within);
// Ends the child with SIGKILL and reaps it.
void KillChild(pid_t pid);
// The whole of a log file; empty when there is none.
std::string ReadLog(const std::string& path);
