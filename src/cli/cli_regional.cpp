#include "app/app_settings.h"
#include "app/regional_guard.h"
#include "cli/commands.h"

#include <iostream>

namespace talvex::cli {

int run_regional(const Arguments& arguments) {
    if (!arguments.empty()) {
        std::cout << "Usage: talvex2-cli regional\n"
                     "Writes the decimal point, \"dd/MM/yyyy\" and \"HH:mm:ss\" into the per-user\n"
                     "regional store, exactly as the application does when it finds other formats.\n";
        return arguments.front() == "--help" ? 0 : 2;
    }
    write_required_regional_formats(Locations::fromEnvironment().perUserConfig);
    return 0;
}

} // namespace talvex::cli
