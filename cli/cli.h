#pragma once

// velmora-cli: the command-line front end over the core. Every subcommand
// writes through the given streams, so tests can run it in-process.

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// Runs one command line (without the program name) and returns the exit
// status: 0 done, 1 failed, 2 wrong usage.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& executablePath);

}  // namespace velmora::cli
