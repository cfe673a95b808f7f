#include "cli/commands.h"

namespace talvex::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"regional", "regional                  set the regional formats the application requires",
         run_regional},
        {"import", "import CAPTURE.txt -o FILE.bm2  rewrite a terminal capture into a measurement file",
         run_import},
        {"read", "read --port DEV [--from dd/mm/yy --to dd/mm/yy] -o FILE.bm2  read a probe",
         run_read},
    };
    return all;
}

} // namespace talvex::cli
