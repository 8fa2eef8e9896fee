// SPDX-License-Identifier: GPL-3.0-or-later
// The window started on a damaged config.ini: whatever the file holds, start-up completes
// on a visible screen at a height the window can take, polling runs, no message appears,
// and the next save writes a good eight-line file that starts the window the same way.

#include <unistd.h>
#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

#include "tests/support/process_events_until.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// What config.ini is on disk before the window starts.
enum class Placed { File, SymlinkToItself };

struct Damage {
    const char* name;
    QByteArray bytes;
    Placed placed = Placed::File;
};

const QByteArray kGood = configText("1215", "1170", "3", "7230", "False", "True", "2", "1");

void PrintTo(const Damage& damage, std::ostream* os) {
    *os << damage.name;
}

QByteArray repeated(const QByteArray& line, int times) {
    QByteArray text;
    for (int i = 0; i < times; ++i) {
        text += line;
    }
    return text;
}

// The same bytes on every run: a linear congruential generator, not std::random_device.
QByteArray binaryGarbage(int size) {
    QByteArray bytes(size, '\0');
    std::uint32_t state = 480;
    for (char& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = char(state >> 24);
    }
    return bytes;
}

// What Windows Notepad saves as "Unicode": a byte-order mark, then UTF-16LE.
QByteArray utf16(const QByteArray& text) {
    QByteArray bytes("\xFF\xFE");
    for (char c : text) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// A good file but for the window's height, or its position.
QByteArray withHeight(const char* height) {
    return configText("1215", "1170", "1", height, "True", "False", "0", "0");
}
QByteArray withPosition(const char* left, const char* top) {
    return configText(left, top, "1", "6645", "True", "False", "0", "0");
}

QByteArray withLineEnds(QByteArray text, const char* end) {
    return text.replace("\r\n", end);
}

const Damage kDamages[] = {
    {"EmptyFile", ""},
    {"OnlyALineEnd", "\r\n"},
    {"TruncatedMidLine", kGood.left(45)},  // ends in "ComPo"
    {"TruncatedInsideAKey", "Position-Left=1215\r\nPosi"},
    {"NoEqualsSignOnAnyLine", "1215\r\n1170\r\n3\r\n7230\r\nFalse\r\nTrue\r\n2\r\n1\r\n"},
    {"BlankLinesBetween", "Position-Left=1215\r\n\r\nComPort=3\r\n\r\nmnuNormal=True\r\n"},
    {"TwelveLines", kGood + "x=1\r\nx=2\r\nx=3\r\nx=4\r\n"},
    {"TenThousandLines", kGood + repeated("ListIndex=4\r\n", 10'000 - 8)},
    {"OneMegabyteLine", "Position-Left=" + QByteArray(1 << 20, 'x') + "\r\n" + kGood},
    {"OneMegabyteOfDigits", "Position-Left=" + QByteArray(1 << 20, '9') + "\r\n"},
    {"NulBytesInValues",
     QByteArray("Position-Left=12\0 15\r\nPosition-Top=\0\r\nComPort=\0003\r\n", 50)},
    {"OnlyNulBytes", QByteArray(4096, '\0')},
    {"Utf8ByteOrderMark", "\xEF\xBB\xBF" + kGood},
    {"Utf16FromNotepad", utf16(kGood)},
    {"CrOnlyLineEnds", withLineEnds(kGood, "\r")},
    {"LfOnlyLineEnds", withLineEnds(kGood, "\n")},
    {"LfCrLineEnds", withLineEnds(kGood, "\n\r")},
    {"NumbersBeyondSixteenBits",
     configText("1215", "1170", "70000", "7230", "False", "True", "32768", "-32769")},
    {"PortsWithoutAnEntry", configText("1215", "1170", "17", "7230", "False", "True", "0", "0")},
    {"PortZero", configText("1215", "1170", "0", "6645", "True", "False", "0", "0")},
    {"ListIndexesOutsideTheLists", configText("1215", "1170", "2", "6645", "1", "0", "5", "-2")},
    {"NanTexts", configText("nan", "NaN", "nan", "nan", "nan", "nan", "nan", "nan")},
    {"InfinityTexts", configText("inf", "-inf", "Infinity", "inf", "inf", "inf", "inf", "inf")},
    {"BeyondDouble",
     configText("1e400", "-1e400", "1e400", "1e400", "1e400", "0", "1e400", "1e400")},
    {"ExponentBeyondAnyInteger",
     configText("1e99999999999999999999", "1", "1e99999999999999999999", "1e-99999999999999999999",
                "True", "False", "1e99999999999999999999", "0")},
    {"HeightZero", withHeight("0")},
    {"HeightNegative", withHeight("-6645")},
    {"HeightJustBelowTheSmallest", withHeight("1499")},
    {"HeightJustAboveTheLargest", withHeight("64801")},
    {"HeightOneBillion", withHeight("1e9")},
    {"HeightLargestSingle", withHeight("3.4e38")},
    {"PositionFarLeftAndUp", withPosition("-48000", "-48000")},
    {"PositionOneBillion", withPosition("1e9", "1e9")},
    {"PositionLargestSingle", withPosition("3.4e38", "-3.4e38")},
    {"PositionLeftOffTopFine", withPosition("-48000", "1170")},
    {"PositionJustPastTheRightEdge", withPosition("12000", "0")},
    {"CheckMarksNeitherWordNorNumber",
     configText("1215", "1170", "1", "6645", "yes", "maybe", "0", "0")},
    {"ValuesOnlyBlanks", configText(" ", "\t", " ", " ", " ", " ", " ", " ")},
    {"TwoEqualsSigns", configText("=1215", "=1170", "=3", "=7230", "=True", "=False", "=1", "=1")},
    {"BinaryGarbage", binaryGarbage(4096)},
    {"SymlinkToItself", "", Placed::SymlinkToItself},
};

// The settings SaveConfig describes, as the window holds them.
struct Settings {
    float leftTwips = 0;
    float topTwips = 0;
    int port = 0;
    float heightTwips = 0;
    bool normal = false;
    bool diag = false;
    int plotMode = 0;
    int carrierMode = 0;
    bool operator==(const Settings&) const = default;
};

void PrintTo(const Settings& s, std::ostream* os) {
    *os << "left " << s.leftTwips << " top " << s.topTwips << " port " << s.port << " height "
        << s.heightTwips << " marks " << s.normal << s.diag << " lists " << s.plotMode << ","
        << s.carrierMode;
}

Settings settingsOf(frmMain& window, int port) {
    return {float(window.x() * kTwipsPerPixel),
            float(window.y() * kTwipsPerPixel),
            port,
            window.windowZoom().heightTwips(),
            window.controls().mnuNormal->isChecked(),
            window.controls().mnuDiag->isChecked(),
            window.controls().Combo2->currentIndex(),
            window.controls().Combo4->currentIndex()};
}

// The file as the window would restore it; a value that does not read stays at -99999.
Settings settingsIn(const QByteArray& text) {
    ConfigValues values;
    readConfigText(text.toStdString(), values);
    const auto single = [&](int i) { return readSingle(values[i].value_or("x")).value_or(-99999); };
    const auto whole = [&](int i) {
        return int(readWhole16(values[i].value_or("1e9")).value_or(-99));
    };
    const auto mark = [&](int i) { return readCheckMark(values[i].value_or("")).value_or(false); };
    return {single(0), single(1), whole(2), single(3), mark(4), mark(5), whole(6), whole(7)};
}

class DamagedConfig : public WindowTest, public ::testing::WithParamInterface<Damage> {
protected:
    void place(const Damage& damage) {
        const QByteArray path = QFile::encodeName(configPath());
        switch (damage.placed) {
            case Placed::File:
                writeConfig(damage.bytes);
                break;
            case Placed::SymlinkToItself:
                ASSERT_EQ(::symlink("config.ini", path.constData()), 0);
                break;
        }
    }

    void expectRunningOnScreen() {
        // A slow start-up (a sanitizer build) lets a tick fire first, and an idle poll in
        // flight stops the timer for its 0.2 s.
        EXPECT_TRUE(processEventsUntil([&] { return window->timer1Enabled(); }));
        EXPECT_TRUE(comm->opened);
        EXPECT_EQ(window->controls().Combo3->currentIndex(), comm->port - 1);
        EXPECT_TRUE(messages->shown.empty()) << messages->shown.front();

        bool onAScreen = false;
        for (const QScreen* screen : QGuiApplication::screens()) {
            onAScreen =
                onAScreen || window->frameGeometry().intersects(screen->availableGeometry());
        }
        EXPECT_TRUE(onAScreen) << "frame at " << window->x() << "," << window->y();
        EXPECT_GE(window->windowZoom().heightTwips(), 1500.0f);
        EXPECT_LE(window->windowZoom().heightTwips(), 64800.0f);
        EXPECT_GT(window->windowZoom().clientHeightPixels(), 0);
    }
};

TEST_P(DamagedConfig, StartsOnScreenAndTheNextSaveWritesAGoodFile) {
    place(GetParam());
    start();
    expectRunningOnScreen();

    window->close();  // closing saves, as Exit does
    const Settings closed = settingsOf(*window, comm->port);
    const QByteArray saved = readConfig();
    const QList<QByteArray> lines = saved.split('\n');
    ASSERT_EQ(lines.size(), 9) << saved.left(200).toStdString();
    EXPECT_TRUE(lines.back().isEmpty());
    for (int i = 0; i < 8; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r') && lines[i].count('\r') == 1) << "line " << i + 1;
    }
    EXPECT_EQ(settingsIn(saved), closed);

    // The saved file starts the next run the same way, and is written back unchanged.
    window.reset();
    start();
    expectRunningOnScreen();
    EXPECT_EQ(settingsOf(*window, comm->port), closed);
    EXPECT_EQ(readConfig(), saved);
}

INSTANTIATE_TEST_SUITE_P(ConfigDamage, DamagedConfig, ::testing::ValuesIn(kDamages),
                         [](const auto& info) { return std::string(info.param.name); });

// Spot checks that the damage above touched only the damaged settings.
class PartlyDamagedConfig : public WindowTest {};

TEST_F(PartlyDamagedConfig, DamagedLinesKeepTheirValueWhileGoodLinesAroundThemApply) {
    writeConfig(configText("-48000", "1170", "70000", "1e9", "True", "maybe", "3", "1e400"));
    start();
    EXPECT_EQ(comm->port, 1);  // 70000 is refused: the design's port
    // The design's client height and frame, not 1e9.
    EXPECT_EQ(window->windowZoom().heightTwips(),
              float((6600 / kTwipsPerPixel + WindowZoom::kNonClientPixels) * kTwipsPerPixel));
    EXPECT_TRUE(window->controls().mnuNormal->isChecked());
    EXPECT_EQ(window->controls().Combo2->currentIndex(), 3);
    EXPECT_EQ(window->controls().Combo4->currentIndex(), -1);
}

TEST_F(PartlyDamagedConfig, ByteOrderMarkAndLoneCarriageReturnsStillRestoreEverySetting) {
    writeConfig("\xEF\xBB\xBF" + withLineEnds(kGood, "\r"));
    start();
    EXPECT_EQ(window->x(), 81);
    EXPECT_EQ(window->y(), 78);
    EXPECT_EQ(comm->port, 3);
    EXPECT_EQ(window->windowZoom().heightTwips(), 7230.0f);
    EXPECT_TRUE(window->controls().mnuDiag->isChecked());
    EXPECT_EQ(window->controls().Combo2->currentIndex(), 2);
    EXPECT_EQ(window->controls().Combo4->currentIndex(), 1);
    EXPECT_EQ(readConfig(), kGood);
}

}  // namespace
}  // namespace zm::test
