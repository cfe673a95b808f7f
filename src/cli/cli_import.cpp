#include "cli/commands.h"
#include "data/capture_import.h"

#include <iostream>

namespace talvex::cli {

namespace {

int usage(std::ostream& out, int status) {
    out << "Usage: talvex2-cli import CAPTURE.txt -o FILE.bm2\n"
           "Rewrites a terminal capture of the probe's \"RH\" and \"RM\" (or \"RI\") replies into\n"
           "a measurement file, measures renumbered from 1. The application's working files\n"
           "are not touched. Exits with 1 and \"Fichier Invalide.\" for a capture that holds\n"
           "no header or no measures.\n";
    return status;
}

} // namespace

int run_import(const Arguments& arguments) {
    std::string capture, output;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h")
            return usage(std::cout, 0);
        if (a == "-o" || a == "--output") {
            if (i + 1 >= arguments.size())
                return usage(std::cerr, 2);
            output = arguments[++i];
        } else if (capture.empty() && !a.starts_with("-")) {
            capture = a;
        } else {
            std::cerr << "talvex2-cli import: unexpected argument '" << a << "'\n";
            return usage(std::cerr, 2);
        }
    }
    if (capture.empty() || output.empty())
        return usage(std::cerr, 2);
    if (import_capture(capture, output) == CaptureInvalid) {
        std::cerr << "talvex2-cli import: " << capture << ": " << InvalidCaptureMessage << "\n";
        return 1;
    }
    return 0;
}

} // namespace talvex::cli
