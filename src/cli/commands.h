// The subcommands of talvex2-cli. Each takes its own arguments (after the command word),
// writes progress and errors to stderr, and returns the process exit status.
#pragma once

#include <string>
#include <vector>

namespace talvex::cli {

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* synopsis;
    int (*run)(const Arguments& arguments);
};

// Every command of the tool, in the order `--help` lists them.
const std::vector<Command>& commands();

// The regional formats, prepared the way the application's guard would write them, so that
// a first start of the application opens straight into its main window.
int run_regional(const Arguments& arguments);

// A terminal capture rewritten into a ".bm2" file of the user's choice.
int run_import(const Arguments& arguments);

// Measurement files converted to raw-value and calculated-value text, as the batch
// conversion window writes them.
int run_convert(const Arguments& arguments);

// Measurement files merged into one, as the merge window does.
int run_merge(const Arguments& arguments);

// A probe read over a serial port into a ".bm2" file, with the application's link code.
int run_read(const Arguments& arguments);

} // namespace talvex::cli
