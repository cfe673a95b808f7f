// talvex2-cli: the application's core, headless, for scripts and scheduled jobs.
#include "cli/commands.h"

#include <cstring>
#include <iostream>

using namespace talvex::cli;

namespace {

void usage(std::ostream& out) {
    out << "Usage: talvex2-cli COMMAND [OPTIONS] ...\n\nCommands:\n";
    for (const Command& c : commands())
        out << "  " << c.synopsis << "\n";
    out << "\nRun 'talvex2-cli COMMAND --help' for the options of a command.\n";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        usage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        usage(std::cout);
        return 0;
    }
    for (const Command& c : commands()) {
        if (name == c.name) {
            Arguments arguments(argv + 2, argv + argc);
            try {
                return c.run(arguments);
            } catch (const std::exception& error) {
                std::cerr << "talvex2-cli " << name << ": " << error.what() << "\n";
                return 1;
            }
        }
    }
    std::cerr << "talvex2-cli: unknown command '" << name << "'\n";
    usage(std::cerr);
    return 2;
}
