#include "app/app_settings.h"

#include "app/ini_file.h"

#include <cstdlib>

namespace talvex {

namespace {
std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
} // namespace

Locations Locations::fromEnvironment() {
    Locations where;
    where.home = env("HOME").empty() ? fs::path("/") : fs::path(env("HOME"));
    const fs::path config =
        env("XDG_CONFIG_HOME").empty() ? where.home / ".config" : fs::path(env("XDG_CONFIG_HOME"));
    const fs::path data = env("XDG_DATA_HOME").empty() ? where.home / ".local/share"
                                                       : fs::path(env("XDG_DATA_HOME"));
    where.perMachineStore = env("TALVEX2_MACHINE_STORE").empty()
                                ? fs::path("/etc/xdg/Orvane/Talvex2.conf")
                                : fs::path(env("TALVEX2_MACHINE_STORE"));
    where.perUserConfig = config / "Orvane" / "Talvex2.conf";
    where.perUserData = data / "Orvane" / "Talvex2";
    where.installOverride = env("TALVEX2_HOME");
    return where;
}

namespace {
// A folder of the user's own gets the shipped settings when it has none yet, so that a first
// start knows the probe types' sensors. The per-machine folder is the administrator's: left as is.
fs::path seeded_folder(const fs::path& folder, const fs::path& shippedSettings) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path settings = folder / SettingsFileName;
    if (!fs::exists(settings, ec) && !shippedSettings.empty() && fs::exists(shippedSettings, ec))
        fs::copy_file(shippedSettings, settings, ec);
    return folder;
}
} // namespace

fs::path resolve_install_directory(const Locations& where, const fs::path& shippedSettings) {
    if (!where.installOverride.empty())
        return seeded_folder(where.installOverride, shippedSettings);
    std::error_code ec;
    if (fs::exists(where.perMachineStore, ec)) {
        const std::string path = IniFile(where.perMachineStore).readString("Settings", "Path", "");
        if (!path.empty())
            return path;
    }
    return seeded_folder(where.perUserData, shippedSettings);
}

AppSettings load_app_settings(const fs::path& installDirectory, const fs::path& home) {
    AppSettings s;
    s.InstallDirectory = installDirectory;
    {
        const IniFile ini(s.settingsFile());
        s.DefaultDirectory = ini.readString("DIRECTORY", "path", home.string());
        s.language = ini.readString("LANGUAGE", "language", "francais");
        s.ConnectionType = static_cast<int>(ini.readInteger("CONNEXION", "type", 0));
        s.portName = ini.readString("COMPORT", "number", DefaultPortName);
        s.portSpeed = ini.readString("COMPORT", "speed", "19200");
        s.modemIniString = ini.readString("MODEM", "IniString", "");
        s.modemStandard = ini.readBool("MODEM", "Standard", false);
        s.modemIndic = ini.readString("MODEM", "Indic", "0");
        s.gsmFilterFactor = ini.readFloat("GSM FILTER", "Factor", 2.5);
    }
    {
        const IniFile devices(s.deviceFile());
        const long count = devices.readInteger("NB DEVICE", "NB", 0);
        for (long i = 1; i <= count && i <= 10000; ++i) {
            const std::string n = std::to_string(i);
            s.devices.push_back({devices.readString("DEVICE LIST", "Name" + n, ""),
                                 devices.readString("DEVICE LIST", "Tel" + n, ""),
                                 devices.readString("DEVICE LIST", "Comment" + n, "")});
        }
    }
    std::error_code ec;
    if (!fs::is_directory(s.DefaultDirectory, ec))
        s.DefaultDirectory = home.string();
    return s;
}

fs::path find_shipped_settings(const fs::path& executableDirectory) {
    const fs::path candidates[] = {
        executableDirectory / SettingsFileName,
        executableDirectory / "packaging" / SettingsFileName,
        executableDirectory / ".." / "share" / "talvex2" / SettingsFileName,
        executableDirectory / ".." / "packaging" / SettingsFileName,
    };
    std::error_code ec;
    for (const auto& c : candidates)
        if (fs::exists(c, ec))
            return c;
    return {};
}

} // namespace talvex
