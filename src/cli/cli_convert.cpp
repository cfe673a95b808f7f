// talvex2-cli convert: the batch conversion window, headless.
#include "app/app_settings.h"
#include "cli/commands.h"
#include "data/conversion_error.h"
#include "data/text_conversion.h"

#include <iostream>

namespace talvex::cli {

namespace {

int usage(std::ostream& out, int status) {
    out << "Usage: talvex2-cli convert [--raw] [--calc] [--settings FILE] -o DIR FILE.bm2...\n"
           "Converts measurement files into DIR, as the \"Conversion\" window does: FILE.txt\n"
           "with the raw values (--raw) and FILE.xls with the calculated values (--calc);\n"
           "both when neither option is given. Files are converted in the order given; the\n"
           "first failure stops with the file and line on stderr and exit status 1, leaving\n"
           "the files converted before it. The sensor masks come from Talvex2.ini in the\n"
           "application's installation folder, or from --settings FILE. The application's\n"
           "working files are not touched.\n";
    return status;
}

// The settings file named on the command line, else the application's own "Talvex2.ini"
// in its installation folder (the same folder the application resolves at start-up).
fs::path settings_file(const std::string& option) {
    if (!option.empty()) {
        std::error_code ec;
        if (!fs::is_regular_file(option, ec))
            throw ConversionError(option, 0, "Fichier de configuration introuvable");
        return option;
    }
    std::error_code ec;
    const fs::path executable = fs::read_symlink("/proc/self/exe", ec);
    const fs::path shipped = ec ? fs::path() : find_shipped_settings(executable.parent_path());
    return resolve_install_directory(Locations::fromEnvironment(), shipped) / SettingsFileName;
}

} // namespace

int run_convert(const Arguments& arguments) {
    bool raw = false, calculated = false;
    std::string folder, settings;
    std::vector<fs::path> sources;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h")
            return usage(std::cout, 0);
        if (a == "--raw") {
            raw = true;
        } else if (a == "--calc") {
            calculated = true;
        } else if (a == "-o" || a == "--output" || a == "--settings") {
            if (i + 1 >= arguments.size()) {
                std::cerr << "talvex2-cli convert: " << a << " needs a value\n";
                return usage(std::cerr, 2);
            }
            (a == "--settings" ? settings : folder) = arguments[++i];
        } else if (a.starts_with("-") && a != "-") {
            std::cerr << "talvex2-cli convert: unknown option '" << a << "'\n";
            return usage(std::cerr, 2);
        } else {
            sources.emplace_back(a);
        }
    }
    if (folder.empty() || sources.empty())
        return usage(std::cerr, 2);
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        std::cerr << "talvex2-cli convert: " << folder << ": not a folder\n";
        return 1;
    }
    if (!raw && !calculated)
        raw = calculated = true;
    const fs::path settingsFile = settings_file(settings);
    for (const fs::path& source : sources)
        for (const fs::path& written : convert_bm2_file(source, folder, raw, calculated,
                                                        settingsFile, french_conversion_texts()))
            std::cerr << written.string() << "\n";
    return 0;
}

} // namespace talvex::cli
