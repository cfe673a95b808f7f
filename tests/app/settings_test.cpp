#include "app/app_settings.h"
#include "app/ini_file.h"
#include "app/regional_guard.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;

TEST(AppSettings, DefaultsWhenNothingIsStored) {
    ScratchDir dir;
    const AppSettings s = load_app_settings(dir.path(), dir.path());
    EXPECT_EQ(s.DefaultDirectory, dir.path().string());
    EXPECT_EQ(s.language, "francais");
    EXPECT_EQ(s.ConnectionType, 0);
    EXPECT_EQ(s.portSpeed, "19200");
    EXPECT_EQ(s.modemIniString, "");
    EXPECT_FALSE(s.modemStandard);
    EXPECT_EQ(s.modemIndic, "0");
    EXPECT_DOUBLE_EQ(s.gsmFilterFactor, 2.5);
    EXPECT_TRUE(s.devices.empty());
    EXPECT_FALSE(fs::exists(dir / "Talvex2.ini")); // nothing is written at start-up
}

TEST(AppSettings, ReadsEveryKeyOfTheProfileFiles) {
    ScratchDir dir;
    fs::create_directories(dir / "data");
    write_bytes(dir / "Talvex2.ini",
                crlf_lines({"[DIRECTORY]", "path=" + (dir / "data").string(), "[LANGUAGE]",
                            "language=anglais", "[CONNEXION]", "type=1", "[COMPORT]",
                            "number=/dev/ttyUSB0", "speed=9600", "[MODEM]", "IniString=AT&F",
                            "Standard=1", "Indic=33", "[GSM FILTER]", "Factor=3"}));
    write_bytes(dir / "device.ini",
                crlf_lines({"[NB DEVICE]", "NB=2", "[DEVICE LIST]", "Name1=Cave", "Tel1=0612",
                            "Comment1=Nord", "Name2=Puits", "Tel2=0613", "Comment2="}));
    const AppSettings s = load_app_settings(dir.path(), "/");
    EXPECT_EQ(s.DefaultDirectory, (dir / "data").string());
    EXPECT_TRUE(s.english());
    EXPECT_EQ(s.ConnectionType, 1);
    EXPECT_EQ(s.portName, "/dev/ttyUSB0");
    EXPECT_EQ(s.portSpeed, "9600");
    EXPECT_EQ(s.modemIniString, "AT&F");
    EXPECT_TRUE(s.modemStandard);
    EXPECT_EQ(s.modemIndic, "33");
    EXPECT_DOUBLE_EQ(s.gsmFilterFactor, 3.0);
    ASSERT_EQ(s.devices.size(), 2u);
    EXPECT_EQ(s.devices[1].name, "Puits");
    EXPECT_EQ(s.devices[0].telephone, "0612");
}

TEST(AppSettings, MisspeltLanguageIsFrenchAndMissingFolderFallsBackToHome) {
    ScratchDir dir;
    write_bytes(dir / "Talvex2.ini",
                crlf_lines({"[LANGUAGE]", "language=Anglais", "[DIRECTORY]", "path=/no/such/dir"}));
    const AppSettings s = load_app_settings(dir.path(), "/home/tech");
    EXPECT_FALSE(s.english());
    EXPECT_EQ(s.DefaultDirectory, "/home/tech");
    // The stored value is kept in the file.
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readString("DIRECTORY", "path", ""), "/no/such/dir");
}

TEST(IniFile, WritesProfileLayoutAndKeepsOtherSections) {
    ScratchDir dir;
    write_bytes(dir / "Talvex2.ini", crlf_lines({"[SENSORS]", "type3=255", "", "[GSM FILTER]",
                                                 "Factor=2.5"}));
    IniFile ini(dir / "Talvex2.ini");
    ini.writeString("DISPLAY", "courbe f1c1", "4");
    ini.writeBool("DISPLAY", "controles", true);
    ini.save();
    const std::string text = read_bytes(dir / "Talvex2.ini");
    EXPECT_NE(text.find("[GSM FILTER]\r\nFactor=2.5\r\n"), std::string::npos);
    EXPECT_NE(text.find("[DISPLAY]\r\ncourbe f1c1=4\r\ncontroles=1\r\n"), std::string::npos);
    EXPECT_NE(text.find("type3=255"), std::string::npos);
    EXPECT_EQ(IniFile(dir / "Talvex2.ini").readInteger("SENSORS", "type3", 0), 255);
}

TEST(InstallDirectory, OverrideThenMachineStoreThenSeededUserFolder) {
    ScratchDir dir;
    write_bytes(dir / "shipped.ini", crlf_lines({"[SENSORS]", "type3=255"}));
    Locations where;
    where.perMachineStore = dir / "machine.conf";
    where.perUserData = dir / "user" / "Talvex2";

    const fs::path userFolder = resolve_install_directory(where, dir / "shipped.ini");
    EXPECT_EQ(userFolder, where.perUserData);
    EXPECT_EQ(read_bytes(userFolder / "Talvex2.ini"), read_bytes(dir / "shipped.ini"));
    // An existing settings file is never replaced by the template.
    write_bytes(userFolder / "Talvex2.ini", "[LANGUAGE]\r\nlanguage=anglais\r\n");
    resolve_install_directory(where, dir / "shipped.ini");
    EXPECT_EQ(read_bytes(userFolder / "Talvex2.ini"), "[LANGUAGE]\r\nlanguage=anglais\r\n");

    write_bytes(where.perMachineStore, crlf_lines({"[Settings]", "Path=/opt/orvane/talvex2"}));
    EXPECT_EQ(resolve_install_directory(where, {}), "/opt/orvane/talvex2");
    where.installOverride = (dir / "override").string();
    EXPECT_EQ(resolve_install_directory(where, {}), dir / "override");
    // A folder named by TALVEX2_HOME is the user's own: seeded like the default one.
    resolve_install_directory(where, dir / "shipped.ini");
    EXPECT_EQ(read_bytes(dir / "override" / "Talvex2.ini"), read_bytes(dir / "shipped.ini"));
}

struct GuardCase {
    const char* name;
    RegionalFormats system;
    bool passes;
};

void PrintTo(const GuardCase& c, std::ostream* out) { *out << c.name; }

class RegionalGuard : public ::testing::TestWithParam<GuardCase> {};

TEST_P(RegionalGuard, FailingStartWritesAllFourAndTheNextStartPasses) {
    ScratchDir dir;
    const fs::path store = dir / "cfg" / "Talvex2.conf";
    EXPECT_EQ(pass_regional_guard(store, GetParam().system), GetParam().passes);
    // Whatever differed, the store now holds all four required values.
    if (!GetParam().passes) {
        EXPECT_EQ(read_regional_formats(store, GetParam().system), required_regional_formats());
    }
    EXPECT_TRUE(pass_regional_guard(store, GetParam().system));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegionalGuard,
    ::testing::Values(
        GuardCase{"AllRequired", {".", "dddd d MMMM yyyy", "dd/MM/yyyy", "HH:mm:ss"}, true},
        GuardCase{"DecimalComma", {",", "dddd d MMMM yyyy", "dd/MM/yyyy", "HH:mm:ss"}, false},
        GuardCase{"LongDateTrailingBlank", {".", "dddd d MMMM yyyy ", "dd/MM/yyyy", "HH:mm:ss"}, false},
        GuardCase{"UsShortDate", {".", "dddd d MMMM yyyy", "M/d/yy", "HH:mm:ss"}, false},
        GuardCase{"TwelveHourTime", {".", "dddd d MMMM yyyy", "dd/MM/yyyy", "h:mm AP"}, false}),
    [](const auto& info) { return std::string(info.param.name); });
