// talvex2-cli merge: the merge window, headless.
#include "cli/commands.h"
#include "data/merge.h"

#include <iostream>

namespace talvex::cli {

namespace {

int usage(std::ostream& out, int status) {
    out << "Usage: talvex2-cli merge -o OUT.bm2 FILE.bm2...\n"
           "Merges measurement files as the \"Fusion\" window does: the header part of the\n"
           "last file, then the measure lines of every file in the order given. OUT.bm2 is\n"
           "replaced only once the merge is complete (it may be one of the files). A file\n"
           "that cannot be read or has no \"MESURES\" line stops with exit status 1.\n";
    return status;
}

} // namespace

int run_merge(const Arguments& arguments) {
    std::string output;
    std::vector<fs::path> sources;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h")
            return usage(std::cout, 0);
        if (a == "-o" || a == "--output") {
            if (i + 1 >= arguments.size()) {
                std::cerr << "talvex2-cli merge: " << a << " needs a value\n";
                return usage(std::cerr, 2);
            }
            output = arguments[++i];
        } else if (a.starts_with("-") && a != "-") {
            std::cerr << "talvex2-cli merge: unknown option '" << a << "'\n";
            return usage(std::cerr, 2);
        } else {
            sources.emplace_back(a);
        }
    }
    if (output.empty() || sources.empty())
        return usage(std::cerr, 2);
    merge_bm2_files(sources, output);
    return 0;
}

} // namespace talvex::cli
