// SPDX-License-Identifier: GPL-3.0-or-later
// Sweep files on the disk through QtTextFiles. Replacing a file whole is the same code that
// saves config.ini, whose failures test_config_save_failure covers.

#include "settings/qt_text_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

namespace zm {
namespace {

struct ReadCase {
    const char* name;
    std::function<void(const QString& path)> make;
    std::string says;  // empty: reads "73\n"
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class ReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, ReadsARegularFileWholeOrSaysWhyNot) {
    const ReadCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("ant.csv");
    c.make(path);
    std::string whyNot;
    const std::optional<std::string> text = QtTextFiles().read(path.toStdString(), whyNot);
    if (c.says.empty()) {
        EXPECT_EQ(text, "73\n");
    } else {
        EXPECT_FALSE(text.has_value());
        EXPECT_NE(whyNot.find(c.says), std::string::npos) << whyNot;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadTable,
    ::testing::Values(
        ReadCase{"WrittenFileReadsBack",
                 [](const QString& path) {
                     std::string whyNot;
                     ASSERT_TRUE(QtTextFiles().write(path.toStdString(), "73\n", whyNot));
                 },
                 ""},
        ReadCase{"MissingFile", [](const QString&) {}, "no such file"},
        // Opening a FIFO would wait for a writer that never comes.
        ReadCase{"FifoIsNotWaitedFor",
                 [](const QString& path) { ASSERT_EQ(mkfifo(QFile::encodeName(path), 0600), 0); },
                 "not a regular file"},
        ReadCase{"FileBeyondAnySweep",
                 [](const QString& path) {
                     QFile file(path);
                     ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                     ASSERT_TRUE(file.resize(QtTextFiles::kLargestFileBytes + 1));  // sparse
                 },
                 "larger than 64 MB"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
