#include "data/conversion_error.h"
#include "data/merge.h"
#include "support/test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace talvex;
using namespace talvex::testing;
using ::testing::HasSubstr;

namespace {

std::string header_of(const std::string& probe, int count) {
    return crlf_lines({"HEADER", "01;#PROBE;" + probe + ";", "45;#MEAS;" + std::to_string(count) + ";",
                       "MESURES"});
}

} // namespace

TEST(Merge, LastHeaderThenEveryMeasurePartInListOrder) {
    ScratchDir dir;
    write_bytes(dir / "a.bm2", header_of("A", 2) + crlf_lines({"1 a1", "2 a2"}));
    write_bytes(dir / "b.bm2", header_of("B", 1) + crlf_lines({"1 b1"}));
    write_bytes(dir / "c.bm2", header_of("C", 2) + crlf_lines({"1 c1", "2 a2"}));
    std::vector<int> progress;
    merge_bm2_files({dir / "a.bm2", dir / "b.bm2", dir / "c.bm2"}, dir / "out.bm2",
                    [&](int p) { progress.push_back(p); });
    EXPECT_EQ(read_bytes(dir / "out.bm2"),
              header_of("C", 2) + crlf_lines({"1 a1", "2 a2", "1 b1", "1 c1", "2 a2"}));
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));
}

TEST(Merge, SingleFileIsCopiedWithCrLfLineEnds) {
    ScratchDir dir;
    write_bytes(dir / "a.bm2", "HEADER\n01;#PROBE;A;\nMESURES\n1 x\r\n2 y");
    merge_bm2_files({dir / "a.bm2"}, dir / "a_all.bm2");
    EXPECT_EQ(read_bytes(dir / "a_all.bm2"), crlf_lines({"HEADER", "01;#PROBE;A;", "MESURES", "1 x", "2 y"}));
}

TEST(Merge, EmptyMeasurePartContributesNothing) {
    ScratchDir dir;
    write_bytes(dir / "a.bm2", header_of("A", 0));
    write_bytes(dir / "b.bm2", header_of("B", 1) + crlf_lines({"1 b1"}));
    merge_bm2_files({dir / "b.bm2", dir / "a.bm2"}, dir / "out.bm2");
    EXPECT_EQ(read_bytes(dir / "out.bm2"), header_of("A", 0) + crlf_lines({"1 b1"}));
}

TEST(Merge, DestinationThatIsAlsoASourceIsReadIntact) {
    ScratchDir dir;
    write_bytes(dir / "a.bm2", header_of("A", 1) + crlf_lines({"1 a1"}));
    write_bytes(dir / "b.bm2", header_of("B", 1) + crlf_lines({"1 b1"}));
    merge_bm2_files({dir / "a.bm2", dir / "b.bm2"}, dir / "a.bm2");
    EXPECT_EQ(read_bytes(dir / "a.bm2"), header_of("B", 1) + crlf_lines({"1 a1", "1 b1"}));
    merge_bm2_files({dir / "a.bm2", dir / "b.bm2"}, dir / "b.bm2");
    EXPECT_EQ(read_bytes(dir / "b.bm2"),
              header_of("B", 1) + crlf_lines({"1 a1", "1 b1", "1 b1"}));
}

TEST(Merge, FileWithoutMesuresStopsAndLeavesTheDestination) {
    for (const char* missingIn : {"first", "last"}) {
        ScratchDir dir;
        write_bytes(dir / "good.bm2", header_of("A", 1) + crlf_lines({"1 a1"}));
        write_bytes(dir / "notes.bm2", crlf_lines({"HEADER", "01;#PROBE;X;", "1 x"}));
        write_bytes(dir / "out.bm2", "previous merge");
        const std::vector<fs::path> sources =
            std::string(missingIn) == "first" ? std::vector<fs::path>{dir / "notes.bm2", dir / "good.bm2"}
                                              : std::vector<fs::path>{dir / "good.bm2", dir / "notes.bm2"};
        try {
            merge_bm2_files(sources, dir / "out.bm2");
            FAIL() << "expected an error when the " << missingIn << " file has no MESURES";
        } catch (const ConversionError& e) {
            EXPECT_THAT(e.what(), HasSubstr("MESURES"));
            EXPECT_THAT(e.what(), HasSubstr("notes.bm2"));
        }
        EXPECT_EQ(read_bytes(dir / "out.bm2"), "previous merge");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 3);
    }
}

TEST(Merge, UnreadableSourceNamesTheFile) {
    ScratchDir dir;
    write_bytes(dir / "a.bm2", header_of("A", 1));
    try {
        merge_bm2_files({dir / "a.bm2", dir / "absent.bm2", dir / "a.bm2"}, dir / "out.bm2");
        FAIL() << "expected an error";
    } catch (const ConversionError& e) {
        EXPECT_THAT(e.what(), HasSubstr("absent.bm2"));
    }
    EXPECT_FALSE(fs::exists(dir / "out.bm2"));
}

TEST(Merge, ProposedDestinationName) {
    EXPECT_EQ(merged_file_name("/mesures/sonde12.bm2"), "/mesures/sonde12_all.bm2");
    EXPECT_EQ(merged_file_name("/mesures/sonde.12.BM2"), "/mesures/sonde.12_all.bm2");
}
