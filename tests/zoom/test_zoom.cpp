// SPDX-License-Identifier: GPL-3.0-or-later
// The conversion of the design's twips at each zoom, and window.ini.

#include <gtest/gtest.h>

#include "zoom/zoom.h"

namespace zm {
namespace {

// 15 twips a pixel at 100 %, 7.5 at 200 %; halves away from zero; far outside any screen it
// saturates.
TEST(Zoom, TwipsBecomePixelsAtTheZoom) {
    const struct {
        double twips;
        int percent;
        int pixels;
    } table[] = {
        {8175, 100, 545},         {8175, 150, 818},           {8175, 200, 1090}, {6645, 125, 554},
        {5955, 150, 596},         {-48000, 200, -6400},       {22.5, 100, 2},    {-22.5, 100, -2},
        {3.4e38, 200, 100000000}, {-3.4e38, 100, -100000000},
    };
    for (const auto& row : table) {
        EXPECT_EQ(twipsToPixels(row.twips, *Zoom::ofPercent(row.percent)), row.pixels)
            << row.twips << " twips at " << row.percent << " %";
    }
    EXPECT_DOUBLE_EQ(pixelsToTwips(596, *Zoom::ofPercent(150)), 5960);
}

struct WindowFileCase {
    const char* name;
    const char* text;
    int percent;         // what the window is drawn at
    const char* damage;  // empty for a sound file
};

void PrintTo(const WindowFileCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowFile : public ::testing::TestWithParam<WindowFileCase> {};

TEST_P(WindowFile, ReadsTheZoomOrSaysWhatIsWrong) {
    const WindowFileCase& c = GetParam();
    const WindowFileRead read = readWindowText(c.text);
    EXPECT_EQ(read.zoom.percent(), c.percent);
    EXPECT_EQ(read.damage, c.damage);
}

INSTANTIATE_TEST_SUITE_P(
    Zoom, WindowFile,
    ::testing::Values(WindowFileCase{"AsWritten", "[window]\nzoom=150\n", 150, ""},
                      WindowFileCase{"ByHandWithCommentsBlanksAndCrLf",
                                     "; mine\r\n\r\n[window]\r\n  zoom = 175  \r\n", 175, ""},
                      WindowFileCase{"OtherKeysAndSectionsPassedOver",
                                     "[other]\nzoom=125\n[window]\nwidth=3\nzoom=200\n", 200, ""},
                      WindowFileCase{"Empty", "", 100, "it has no zoom= in [window]"},
                      WindowFileCase{"ZoomOutsideItsSection", "zoom=150\n", 100,
                                     "it has no zoom= in [window]"},
                      WindowFileCase{"NotAStep", "[window]\nzoom=110\n", 100,
                                     "line 2: zoom=110 is not 100, 125, 150, 175 or 200"},
                      WindowFileCase{"PercentSign", "[window]\nzoom=150 %\n", 100,
                                     "line 2: zoom=150 % is not 100, 125, 150, 175 or 200"},
                      WindowFileCase{"NoEqualsSign", "[window]\nzoom 150\n", 100,
                                     "line 2: zoom 150 is no name=value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Zoom, WindowFileIsWrittenExactly) {
    EXPECT_EQ(writeWindowText(*Zoom::ofPercent(150)), "[window]\nzoom=150\n");
    for (const int percent : Zoom::kPercents) {
        const Zoom zoom = *Zoom::ofPercent(percent);
        EXPECT_EQ(readWindowText(writeWindowText(zoom)).zoom, zoom);
    }
}

}  // namespace
}  // namespace zm
