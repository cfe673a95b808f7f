// Where the program lives and what "Talvex2.ini" and "device.ini" say at start-up, with the
// defaults a missing file, section or key gives.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace talvex {

namespace fs = std::filesystem;

inline constexpr const char* ProgramTitle = "Talvex 2 - Version 1.7.2";
inline constexpr const char* ApplicationTitle = "Talvex2";
inline constexpr const char* SettingsFileName = "Talvex2.ini";
inline constexpr const char* DeviceFileName = "device.ini";

struct Device {
    std::string name, telephone, comment;
};

struct AppSettings {
    fs::path InstallDirectory;
    std::string DefaultDirectory;
    std::string language = "francais";
    int ConnectionType = 0; // 0 serial cable, 1 GSM modem
    std::string portName;
    std::string portSpeed = "19200";
    std::string modemIniString;
    bool modemStandard = false;
    std::string modemIndic = "0";
    double gsmFilterFactor = 2.5;
    std::vector<Device> devices;

    fs::path settingsFile() const { return InstallDirectory / SettingsFileName; }
    fs::path deviceFile() const { return InstallDirectory / DeviceFileName; }
    bool english() const { return language == "anglais"; }
};

// The places the program looks for its folders, from the environment (overridable in tests).
struct Locations {
    fs::path home;              // the user's home folder ("c:\" of the original)
    fs::path perMachineStore;   // holds "Path=" (the registry's per-machine key)
    fs::path perUserConfig;     // per-user store: access mode and regional formats
    fs::path perUserData;       // default installation folder when no "Path" is stored
    std::string installOverride; // TALVEX2_HOME

    static Locations fromEnvironment();
};

// The installation folder: TALVEX2_HOME, else the per-machine "Path", else the per-user
// folder. The per-user folder is created when missing and seeded with the shipped
// "Talvex2.ini" when it has none, so that the probe types are known at the first start.
fs::path resolve_install_directory(const Locations& where, const fs::path& shippedSettings);

// Reads "Talvex2.ini" and "device.ini" in `installDirectory`; never writes.
AppSettings load_app_settings(const fs::path& installDirectory, const fs::path& home);

// The default port name when none is stored.
inline constexpr const char* DefaultPortName = "/dev/ttyS0";

// The ".ini" template installed with the program (first existing candidate).
fs::path find_shipped_settings(const fs::path& executableDirectory);

} // namespace talvex
