#include "cli/commands.h"

namespace talvex::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"regional", "regional                  set the regional formats the application requires",
         run_regional},
        {"import", "import CAPTURE.txt -o FILE.bm2  rewrite a terminal capture into a measurement file",
         run_import},
        {"convert", "convert [--raw] [--calc] -o DIR FILE.bm2...  convert measurement files to text",
         run_convert},
        {"merge", "merge -o OUT.bm2 FILE.bm2...  merge measurement files into one", run_merge},
        {"read", "read --port DEV [--from dd/mm/yy --to dd/mm/yy] -o FILE.bm2  read a probe",
         run_read},
    };
    return all;
}

} // namespace talvex::cli
