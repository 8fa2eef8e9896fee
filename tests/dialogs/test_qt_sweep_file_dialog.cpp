// SPDX-License-Identifier: GPL-3.0-or-later
// The chart menu's save dialog on Qt's own file dialog, driven from the test: the suffix a
// typed name gets and the question before a file is replaced.

#include "dialogs/qt_sweep_file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
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

// Types a name, lets `more` act on the dialog, and saves.
void typeAndSave(QFileDialog& shown, const QString& name,
                 const std::function<void(QFileDialog&)>& more = {}) {
    shown.findChild<QLineEdit*>("fileNameEdit")->setText(name);
    if (more) {
        more(shown);
    }
    shown.findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
    if (shown.isVisible()) {
        shown.reject();
    }
}

// A picture's or report's dialog starts where the last save went, as Save CSV's does; a
// report's asks for a comment, empty at first; the type picked gives a typed name its suffix.
TEST(PictureDialogs, StartWhereTheLastSaveWentTakeTheTypePickedAndAReportsComment) {
    QTemporaryDir dir;
    QtSweepFileDialog dialog;
    dialog.setShownHook([&](QFileDialog& shown) {
        shown.setDirectory(dir.path());
        typeAndSave(shown, "ant");
    });
    ASSERT_EQ(dialog.chooseSaveName(kSaveCsv), dir.filePath("ant.csv").toStdString());

    QString startedIn;
    dialog.setShownHook([&](QFileDialog& shown) {
        startedIn = shown.directory().absolutePath();
        typeAndSave(shown, "ant", [](QFileDialog& up) {
            auto* types = up.findChild<QComboBox*>("fileTypeCombo");
            types->setFocus();
            QTest::keyClick(types, Qt::Key_Down);  // to "SVG images (*.svg)"
        });
    });
    EXPECT_EQ(dialog.chooseSaveName(
                  {"Save image", "PNG images (*.png);;SVG images (*.svg)", "png", "sweep.png"}),
              dir.filePath("ant.svg").toStdString());
    EXPECT_EQ(startedIn, QDir(dir.path()).absolutePath());

    QString commentAtFirst = QStringLiteral("not shown");
    dialog.setShownHook([&](QFileDialog& shown) {
        typeAndSave(shown, "report", [&](QFileDialog& up) {
            auto* comment = up.findChild<QLineEdit*>("comment");
            ASSERT_NE(comment, nullptr);
            commentAtFirst = comment->text();
            comment->setText("Dipole at 12 m, after trimming");
        });
    });
    const auto report = dialog.chooseReportName(
        {"Save report as PDF", "PDF files (*.pdf)", "pdf", "sweep-report.pdf"});
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->path, dir.filePath("report.pdf").toStdString());
    EXPECT_EQ(report->comment, "Dipole at 12 m, after trimming");
    EXPECT_EQ(commentAtFirst, "");
}

}  // namespace
}  // namespace zm
