// SPDX-License-Identifier: GPL-3.0-or-later
// The chart menu's save dialog on Qt's own file dialog, driven from the test: the suffix a
// typed name gets and the question before a file is replaced.

#include "dialogs/qt_sweep_file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <ostream>

namespace zm {
namespace {

const SweepFileRequest kSaveCsv{"Save sweep as CSV", "CSV files (*.csv)", "csv", "sweep.csv"};

struct SaveCase {
    const char* name;
    const char* existing;  // a file already in the folder, or nullptr
    const char* typed;
    QMessageBox::StandardButton answer;  // to the question to replace, when asked
    bool asked;
    const char* chosen;  // nullptr: nothing chosen
    friend void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }
};

class SaveDialogTable : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveDialogTable, GivesANameToWrite) {
    const SaveCase& c = GetParam();
    QTemporaryDir dir;
    if (c.existing) {
        QFile file(dir.filePath(c.existing));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    bool asked = false;
    QtSweepFileDialog dialog;
    dialog.setShownHook([&](QFileDialog& shown) {
        shown.setDirectory(dir.path());
        shown.findChild<QLineEdit*>("fileNameEdit")->setText(c.typed);
        // The question is modal: it is answered from its own event loop.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->button(c.answer)->click();
            }
        });
        shown.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
        if (shown.isVisible()) {
            shown.reject();
        }
    });
    const std::optional<std::string> chosen = dialog.chooseSaveName(kSaveCsv);
    EXPECT_EQ(asked, c.asked);
    if (c.chosen) {
        EXPECT_EQ(chosen, dir.filePath(c.chosen).toStdString());
    } else {
        EXPECT_FALSE(chosen.has_value());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveDialogTable,
    ::testing::Values(
        SaveCase{"NewNameGetsTheSuffix", nullptr, "ant", QMessageBox::Yes, false, "ant.csv"},
        SaveCase{"NameWithASuffixKeepsIt", nullptr, "ant.txt", QMessageBox::Yes, false, "ant.txt"},
        SaveCase{"ExistingFileOnlyOnceAgreed", "ant.csv", "ant", QMessageBox::Yes, true, "ant.csv"},
        SaveCase{"ExistingFileKeptOnNo", "ant.csv", "ant", QMessageBox::No, true, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm
