// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_common_dialog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "dialogs/file_dialog_setup.h"

namespace zm {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// What the dialog showed while it was up.
struct Seen {
    QStringList fileTypes;
    int selectedType = -1;
    QString selectedNameFilter;
    QStringList listedGlobs;
    bool native = true;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
    QString directory;
};

Seen look(QFileDialog& dialog) {
    Seen seen;
    if (auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        for (int i = 0; i < box->count(); ++i) {
            seen.fileTypes << box->itemText(i);
        }
        seen.selectedType = box->currentIndex();
    }
    seen.selectedNameFilter = dialog.selectedNameFilter();
    if (auto* model = dialog.findChild<QFileSystemModel*>()) {
        seen.listedGlobs = model->nameFilters();
    }
    seen.native = !dialog.testOption(QFileDialog::DontUseNativeDialog);
    seen.fileMode = dialog.fileMode();
    seen.acceptMode = dialog.acceptMode();
    seen.directory = dialog.directory().absolutePath();
    return seen;
}

void press(QFileDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    ASSERT_NE(buttons, nullptr);
    ASSERT_NE(buttons->button(which), nullptr);
    buttons->button(which)->click();
}

class QtCommonDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        for (const char* name : {"notes.txt", "run.bat", "plot.zm4", "Makefile"}) {
            QFile file(m_dir.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    // Shows the dialog, notes what it shows, then leaves it with the given button,
    // after typing `typed` into the file name box when it is not empty.
    bool showAndLeave(QDialogButtonBox::StandardButton button, const QString& typed = {}) {
        m_dialog.setShownHook([this, button, typed](QFileDialog& dialog) {
            m_seen = look(dialog);
            if (!typed.isEmpty()) {
                dialog.setDirectory(m_dir.path());
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (name == nullptr) {
                    ADD_FAILURE() << "no file name box";
                    dialog.reject();
                    return;
                }
                name->setText(typed);
            }
            press(dialog, button);
            if (dialog.isVisible()) {
                ADD_FAILURE() << "the dialog stayed up";
                dialog.reject();
            }
        });
        return m_dialog.ShowOpen();
    }

    QTemporaryDir m_dir;
    QtCommonDialog m_dialog;
    Seen m_seen;
};

struct EntryCase {
    const char* name;
    FileMenuEntry entry;
    QStringList fileTypes;
};

class FileMenuEntries : public QtCommonDialogTest,
                        public ::testing::WithParamInterface<EntryCase> {};

TEST_P(FileMenuEntries, ShowsItsThreeTypesAsWrittenWithTextFilesSelected) {
    setUpFileDialog(m_dialog, GetParam().entry);
    EXPECT_FALSE(showAndLeave(QDialogButtonBox::Cancel));
    EXPECT_EQ(m_seen.fileTypes, GetParam().fileTypes);
    EXPECT_EQ(m_seen.selectedType, 1);
    EXPECT_EQ(m_seen.selectedNameFilter, QStringLiteral("Text Files(*.txt)"));
    EXPECT_EQ(m_seen.listedGlobs, QStringList{QStringLiteral("*.txt")});
    EXPECT_FALSE(m_seen.native);
    EXPECT_EQ(m_seen.fileMode, QFileDialog::AnyFile);
    EXPECT_EQ(m_seen.acceptMode, QFileDialog::AcceptOpen);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FileMenuEntries,
    ::testing::Values(EntryCase{"Open",
                                FileMenuEntry::Open,
                                {"All Files (*.*)", "Text Files(*.txt)", "Batch Files (*.bat)"}},
                      EntryCase{"SaveAs",
                                FileMenuEntry::SaveAs,
                                {"All Files (*.*)", "Text Files(*.txt)", "ZM480 Files (*.zm4)"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct IndexCase {
    const char* name;
    int filterIndex;
    int selectedType;
    QStringList listedGlobs;
};

class FilterIndexes : public QtCommonDialogTest, public ::testing::WithParamInterface<IndexCase> {};

TEST_P(FilterIndexes, SelectsTheTypeAndListsByItsPattern) {
    setUpFileDialog(m_dialog, FileMenuEntry::Open);
    m_dialog.FilterIndex = GetParam().filterIndex;
    showAndLeave(QDialogButtonBox::Cancel);
    EXPECT_EQ(m_seen.selectedType, GetParam().selectedType);
    EXPECT_EQ(m_seen.listedGlobs, GetParam().listedGlobs);
}

INSTANTIATE_TEST_SUITE_P(Indexes, FilterIndexes,
                         ::testing::Values(IndexCase{"FirstListsNamesWithoutDotToo", 1, 0, {"*"}},
                                           IndexCase{"ThirdListsBatchFiles", 3, 2, {"*.bat"}},
                                           IndexCase{"ZeroFallsBackToFirst", 0, 0, {"*"}},
                                           IndexCase{"PastTheEndFallsBackToFirst", 4, 0, {"*"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtCommonDialogTest, ChoosingAllFilesInTheBoxListsEveryName) {
    setUpFileDialog(m_dialog, FileMenuEntry::Open);
    QStringList globs;
    m_dialog.setShownHook([&globs](QFileDialog& dialog) {
        auto* box = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        if (box != nullptr) {
            box->setCurrentIndex(0);
            emit box->activated(0);
            globs = look(dialog).listedGlobs;
        }
        dialog.reject();
    });
    m_dialog.ShowOpen();
    EXPECT_EQ(globs, QStringList{QStringLiteral("*")});
}

TEST_F(QtCommonDialogTest, AcceptedNameComesBackAsAnAbsolutePathWhetherOrNotItExists) {
    setUpFileDialog(m_dialog, FileMenuEntry::SaveAs);
    for (const char* typed : {"notes.txt", "not-yet-written.zm4"}) {
        SCOPED_TRACE(typed);
        // Else the last pick stays selected: setText, unlike typing, does not deselect it.
        m_dialog.FileName.clear();
        ASSERT_TRUE(showAndLeave(QDialogButtonBox::Open, QString::fromLatin1(typed)));
        EXPECT_EQ(m_dialog.FileName, QDir(m_dir.path()).absoluteFilePath(typed).toStdString());
    }
    EXPECT_FALSE(QFile::exists(m_dir.filePath("not-yet-written.zm4")));
}

TEST_F(QtCommonDialogTest, CancelReturnsFalseAndKeepsTheLastPick) {
    setUpFileDialog(m_dialog, FileMenuEntry::Open);
    m_dialog.FileName = "/earlier/pick.txt";
    EXPECT_FALSE(showAndLeave(QDialogButtonBox::Cancel));
    EXPECT_EQ(m_dialog.FileName, "/earlier/pick.txt");
}

TEST_F(QtCommonDialogTest, NextUseOpensWhereTheLastPickWas) {
    setUpFileDialog(m_dialog, FileMenuEntry::Open);
    m_dialog.FileName = QDir(m_dir.path()).absoluteFilePath("notes.txt").toStdString();
    showAndLeave(QDialogButtonBox::Cancel);
    EXPECT_EQ(m_seen.directory, QDir(m_dir.path()).absolutePath());
}

TEST_F(QtCommonDialogTest, FilterWithoutTypesListsEverything) {
    m_dialog.Filter = "||Dangling";
    m_dialog.FilterIndex = 2;
    EXPECT_FALSE(showAndLeave(QDialogButtonBox::Cancel));
    EXPECT_THAT(m_seen.listedGlobs, ::testing::AnyOf(ElementsAre(), ElementsAre("*")));
}

}  // namespace
}  // namespace zm
