#include "cli/commands.h"

namespace talvex::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"regional", "regional                  set the regional formats the application requires",
         run_regional},
    };
    return all;
}

} // namespace talvex::cli
