// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/file_filter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/file_dialog_setup.h"

namespace zm {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TEST(FileFilter, OpenJoinsItsPiecesByteForByte) {
    EXPECT_EQ(fileFilter(FileMenuEntry::Open),
              "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|Batch Files (*.bat)|*.bat");
}

TEST(FileFilter, SaveAsJoinsItsPiecesByteForByte) {
    EXPECT_EQ(fileFilter(FileMenuEntry::SaveAs),
              "All Files (*.*)|*.*|Text Files(*.txt)|*.txt|ZM480 Files (*.zm4)|*.zm4");
}

struct ParseCase {
    const char* name;
    std::string filter;
    std::vector<FileType> types;
};

class ParseFilterTable : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseFilterTable, PairsDescriptionsWithPatterns) {
    EXPECT_THAT(parseFilter(GetParam().filter), ElementsAreArray(GetParam().types));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, ParseFilterTable,
    ::testing::Values(
        ParseCase{"OpenListGivesThreeTypes",
                  fileFilter(FileMenuEntry::Open),
                  {{"All Files (*.*)", "*.*"},
                   {"Text Files(*.txt)", "*.txt"},
                   {"Batch Files (*.bat)", "*.bat"}}},
        ParseCase{"SaveAsListGivesThreeTypes",
                  fileFilter(FileMenuEntry::SaveAs),
                  {{"All Files (*.*)", "*.*"},
                   {"Text Files(*.txt)", "*.txt"},
                   {"ZM480 Files (*.zm4)", "*.zm4"}}},
        ParseCase{"EmptyTextGivesNoTypes", "", {}},
        ParseCase{"TextWithoutBarGivesNoTypes", "Text Files", {}},
        ParseCase{"DanglingDescriptionIsDropped", "All|*|Text", {{"All", "*"}}},
        ParseCase{"TrailingBarIsIgnored", "All|*|", {{"All", "*"}}},
        ParseCase{"OnlyBarsGiveNoTypes", "|||||", {}},
        ParseCase{"BlankPatternDropsItsType", "A| |B|*.b", {{"B", "*.b"}}},
        ParseCase{"PatternOfSeparatorsOnlyDropsItsType", "A|;|B|*.b", {{"B", "*.b"}}},
        ParseCase{"BlankDescriptionShowsThePattern", " |*.b", {{"*.b", "*.b"}}},
        ParseCase{"LeadingBarShiftsThePairing", "|*.a|A|*.a", {{"*.a", "*.a"}, {"A", "*.a"}}},
        ParseCase{"PatternListIsKeptWhole", "Web|*.htm;*.html", {{"Web", "*.htm;*.html"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseFilter, HugeTextIsReadToTheEnd) {
    std::string filter;
    for (int i = 0; i < 200'000; ++i) {
        filter += "T|*.t|";
    }
    filter += std::string(1'000'000, '|') + "Last|*.last|Dangling";
    const std::vector<FileType> types = parseFilter(filter);
    ASSERT_EQ(types.size(), 200'001u);
    EXPECT_EQ(types.back(), (FileType{"Last", "*.last"}));
}

struct GlobCase {
    const char* name;
    std::string pattern;
    std::vector<std::string> globs;
};

class PatternGlobsTable : public ::testing::TestWithParam<GlobCase> {};

TEST_P(PatternGlobsTable, SplitsAndTranslates) {
    EXPECT_THAT(patternGlobs(GetParam().pattern), ElementsAreArray(GetParam().globs));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternGlobsTable,
    ::testing::Values(GlobCase{"OneGlobStays", "*.txt", {"*.txt"}},
                      GlobCase{"StarDotStarMatchesNamesWithoutDot", "*.*", {"*"}},
                      GlobCase{"SemicolonListSplits", "*.htm;*.html", {"*.htm", "*.html"}},
                      GlobCase{"BlanksAroundGlobsGo", " *.a ;\t*.b ", {"*.a", "*.b"}},
                      GlobCase{"RepeatsCollapse", "*.*;*", {"*"}},
                      GlobCase{"SeparatorsOnlyGiveNothing", "; ;", {}}),
    [](const auto& info) { return std::string(info.param.name); });

class NeverShownDialog : public CommonDialog {
public:
    bool ShowOpen() override { return false; }
};

TEST(SetUpFileDialog, RewritesEveryOptionAndKeepsTheLastPick) {
    NeverShownDialog dialog;
    dialog.FileName = "/home/op/antenna.txt";
    setUpFileDialog(dialog, FileMenuEntry::Open);
    EXPECT_TRUE(dialog.CancelError);
    EXPECT_EQ(dialog.Flags, 4);
    EXPECT_EQ(dialog.Filter, fileFilter(FileMenuEntry::Open));
    EXPECT_EQ(dialog.FilterIndex, 2);
    EXPECT_EQ(dialog.FileName, "/home/op/antenna.txt");
}

TEST(SetUpFileDialog, SaveAsAfterOpenOffersTheSaveAsTypes) {
    NeverShownDialog dialog;
    setUpFileDialog(dialog, FileMenuEntry::Open);
    dialog.FilterIndex = 3;
    setUpFileDialog(dialog, FileMenuEntry::SaveAs);
    EXPECT_EQ(dialog.Filter, fileFilter(FileMenuEntry::SaveAs));
    EXPECT_EQ(dialog.FilterIndex, 2);
}

}  // namespace
}  // namespace zm
