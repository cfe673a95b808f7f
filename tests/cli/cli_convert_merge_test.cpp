// End-to-end runs of the built talvex2-cli: convert and merge give the same bytes as the
// windows, report failures on stderr with a non-zero status, and leave no partial output and
// no touched working file behind.
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

using namespace talvex::testing;
using ::testing::HasSubstr;

namespace {

struct CliRun {
    int status = -1;
    std::string err;
};

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs talvex2-cli with `arguments` (already quoted) and TALVEX2_HOME set to `home`.
CliRun cli(const ScratchDir& scratch, const fs::path& home, const std::string& arguments) {
    const fs::path errFile = scratch / "stderr.txt";
    const std::string command = "TALVEX2_HOME=" + quoted(home.string()) + " " +
                                quoted(std::string(TALVEX2_BINARY_DIR) + "/talvex2-cli") + " " +
                                arguments + " >/dev/null 2>" + quoted(errFile.string());
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = read_bytes(errFile);
    fs::remove(errFile);
    return r;
}

size_t files_in(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

class Cli : public ::testing::Test {
protected:
    Cli() {
        fs::create_directories(home);
        fs::create_directories(out);
        write_bytes(home / "Talvex2.ini", "[SENSORS]\r\ntype3=2303\r\n");
        // An unsaved probe reading held by the application.
        for (const char* name : {"header.tmp", "measure.tmp", "temp.bm2"})
            write_bytes(home / name, std::string("reading in progress: ") + name);
    }
    ~Cli() override {
        for (const char* name : {"header.tmp", "measure.tmp", "temp.bm2"})
            EXPECT_EQ(read_bytes(home / name), std::string("reading in progress: ") + name);
    }

    ScratchDir scratch;
    fs::path home = scratch / "install";
    fs::path out = scratch / "out";
    std::string sample = quoted(test_data("conversion_sample.bm2").string());
};

} // namespace

TEST_F(Cli, ConvertWritesBothKindsWithTheInstalledSensorMasks) {
    const CliRun r = cli(scratch, home, "convert -o " + quoted(out.string()) + " " + sample);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_bytes(out / "conversion_sample.txt"), read_bytes(test_data("conversion_sample.txt")));
    EXPECT_EQ(read_bytes(out / "conversion_sample.xls"), read_bytes(test_data("conversion_sample.xls")));
    EXPECT_EQ(files_in(out), 2u);
}

TEST_F(Cli, ConvertOneKindWithASettingsFile) {
    // The installed file says nothing of type 3; the named one does.
    write_bytes(home / "Talvex2.ini", "");
    const fs::path other = scratch / "other.ini";
    write_bytes(other, "[SENSORS]\r\ntype3=2303\r\n");
    CliRun r = cli(scratch, home, "convert --calc --settings " + quoted(other.string()) + " -o " +
                                   quoted(out.string()) + " " + sample);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_bytes(out / "conversion_sample.xls"), read_bytes(test_data("conversion_sample.xls")));
    EXPECT_FALSE(fs::exists(out / "conversion_sample.txt"));

    r = cli(scratch, home, "convert --raw --settings " + quoted((scratch / "none.ini").string()) +
                               " -o " + quoted(out.string()) + " " + sample);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("none.ini"));
}

TEST_F(Cli, ConvertStopsAtTheFirstBadFileWithItsNameAndLine) {
    const fs::path bad = scratch / "bad.bm2";
    std::string text = read_bytes(test_data("conversion_sample.bm2"));
    text.replace(text.find("\r\n2 "), 4, "\r\nx ");
    write_bytes(bad, text);
    const CliRun r = cli(scratch, home, "convert -o " + quoted(out.string()) + " " + sample + " " +
                                         quoted(bad.string()) + " " + sample);
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("bad.bm2"));
    EXPECT_THAT(r.err, HasSubstr("ligne 62"));
    // The file before it stays converted; nothing of the bad one, no temporary file.
    EXPECT_EQ(files_in(out), 2u);
    EXPECT_FALSE(fs::exists(out / "bad.txt"));
}

TEST_F(Cli, ConvertRefusesBadHeaderEntriesWithoutOutput) {
    const fs::path bad = scratch / "maint.bm2";
    std::string text = read_bytes(test_data("conversion_sample.bm2"));
    text.replace(text.find("38;LAST_MAINT_Y;19;"), 19, "38;LAST_MAINT_Y;dix;");
    write_bytes(bad, text);
    const CliRun r = cli(scratch, home, "convert -o " + quoted(out.string()) + " " + quoted(bad.string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_THAT(r.err, HasSubstr("entrée 38"));
    EXPECT_THAT(r.err, HasSubstr("maint.bm2"));
    EXPECT_EQ(files_in(out), 0u);
}

TEST_F(Cli, MergeTakesTheFilesInTheOrderGiven) {
    const auto file = [&](const std::string& name, const std::string& probe,
                          std::initializer_list<std::string> measures) {
        std::string text = crlf_lines({"HEADER", "01;#PROBE;" + probe + ";", "MESURES"});
        for (const auto& m : measures)
            text += m + "\r\n";
        write_bytes(scratch / name, text);
        return quoted((scratch / name).string());
    };
    const std::string b = file("b.bm2", "B", {"1 b"}), a = file("a.bm2", "A", {"1 a", "2 a"});
    const fs::path merged = out / "m.bm2";
    const CliRun r = cli(scratch, home, "merge -o " + quoted(merged.string()) + " " + b + " " + a);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_bytes(merged), crlf_lines({"HEADER", "01;#PROBE;A;", "MESURES", "1 b", "1 a", "2 a"}));

    write_bytes(scratch / "notes.bm2", "HEADER\r\n");
    const CliRun bad = cli(scratch, home, "merge -o " + quoted((out / "n.bm2").string()) + " " + a +
                                           " " + quoted((scratch / "notes.bm2").string()));
    EXPECT_EQ(bad.status, 1);
    EXPECT_THAT(bad.err, HasSubstr("notes.bm2"));
    EXPECT_THAT(bad.err, HasSubstr("MESURES"));
    EXPECT_EQ(files_in(out), 1u);
}

TEST_F(Cli, HelpAndUsageErrors) {
    EXPECT_EQ(cli(scratch, home, "convert --help").status, 0);
    EXPECT_EQ(cli(scratch, home, "merge --help").status, 0);
    EXPECT_EQ(cli(scratch, home, "convert " + sample).status, 2);
    EXPECT_EQ(cli(scratch, home, "merge -o x.bm2").status, 2);
    const CliRun r = cli(scratch, home, "convert --csv -o " + quoted(out.string()) + " " + sample);
    EXPECT_EQ(r.status, 2);
    EXPECT_THAT(r.err, HasSubstr("--csv"));
}
