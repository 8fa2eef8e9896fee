// SPDX-License-Identifier: GPL-3.0-or-later
// File, Open / SaveAs / Print in the window, with Qt's own file dialog driven from the test.

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include "dialogs/qt_common_dialog.h"
#include "dialogs/qt_window_printer.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class FileMenuTest : public WindowTest {
protected:
    QtCommonDialog* dialog = nullptr;
    QTemporaryDir files;
    QString notesPath;
    bool timerWhileShown = true;

    void SetUp() override {
        Devices devices = fakeDevices();
        auto realDialog = std::make_unique<QtCommonDialog>();
        dialog = realDialog.get();
        devices.fileDialog = std::move(realDialog);
        createWindow(std::move(devices));
        start();
        notesPath = QDir(files.path()).filePath("notes.txt");
        QFile notes(notesPath);
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("73 de ZM-480\n");
    }

    // While the dialog is up: note the timer, type a name, press a button.
    void leaveDialogWith(const QString& typed, QDialogButtonBox::StandardButton button) {
        dialog->setShownHook([this, typed, button](QFileDialog& shown) {
            timerWhileShown = window->timer1Enabled();
            shown.setDirectory(files.path());
            if (!typed.isEmpty()) {
                shown.findChild<QLineEdit*>("fileNameEdit")->setText(typed);
            }
            shown.findChild<QDialogButtonBox*>()->button(button)->click();
            if (shown.isVisible()) {
                shown.reject();  // it would not take that name
            }
        });
    }
};

TEST_F(FileMenuTest, CancelEndsQuietlyAndPollingResumes) {
    const int handOvers = chart->dataHandOvers;
    leaveDialogWith({}, QDialogButtonBox::Cancel);
    window->mnuOpen_Click();
    EXPECT_FALSE(timerWhileShown);
    EXPECT_THAT(messages->shown, IsEmpty());
    EXPECT_EQ(chart->dataHandOvers, handOvers);
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(FileMenuTest, ChosenFileIsOnlyNamedNeverOpened) {
    const QDateTime modified = QFileInfo(notesPath).lastModified();
    QThread::msleep(20);  // a write now would show in the modification time
    leaveDialogWith("notes.txt", QDialogButtonBox::Open);
    window->mnuOpen_Click();
    EXPECT_FALSE(timerWhileShown);
    EXPECT_THAT(messages->shown, ElementsAre(notesPath.toStdString()));
    EXPECT_EQ(QFileInfo(notesPath).lastModified(), modified);
    QFile notes(notesPath);
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "73 de ZM-480\n");
    EXPECT_TRUE(window->timer1Enabled());
}

struct EntryRow {
    const char* name;
    void (frmMain::*handler)();
    FileMenuEntry entry;
};

TEST_F(FileMenuTest, NewNameIsShownAsItsFullPathAndNothingIsCreated) {
    const EntryRow table[] = {{"Open", &frmMain::mnuOpen_Click, FileMenuEntry::Open},
                              {"SaveAs", &frmMain::MnuSaveAs_Click, FileMenuEntry::SaveAs}};
    const QString newPath = QDir(files.path()).filePath("sweep.zm4");
    for (const EntryRow& row : table) {
        SCOPED_TRACE(row.name);
        messages->shown.clear();
        leaveDialogWith("sweep.zm4", QDialogButtonBox::Open);
        (window.get()->*row.handler)();
        EXPECT_THAT(messages->shown, ElementsAre(newPath.toStdString()));
        EXPECT_FALSE(QFileInfo::exists(newPath));
        EXPECT_EQ(dialog->Filter, fileFilter(row.entry));
        EXPECT_TRUE(window->timer1Enabled());
    }
}

TEST_F(FileMenuTest, PrintFailureIsOneMessageAndPollingGoesOn) {
    printer->succeeds = false;
    window->mnuPrint_Click();
    EXPECT_EQ(printer->prints, 1);
    EXPECT_THAT(messages->shown, ElementsAre("No printer is set up."));
    EXPECT_TRUE(window->timer1Enabled());
}

TEST_F(FileMenuTest, PrintoutIsOnePageOfTheWindow) {
    const QString pdf = QDir(files.path()).filePath("window.pdf");
    Devices devices = fakeDevices();
    devices.printer = std::make_unique<QtWindowPrinter>(QtWindowPrinter::toPdfFile(pdf));
    window.reset();
    createWindow(std::move(devices));
    start();
    window->mnuDiag_Click();
    window->mnuPrint_Click();
    EXPECT_THAT(messages->shown, IsEmpty());
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(
        bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "),
        1);
    EXPECT_GT(bytes.size(), 10000);  // the window's picture, not an empty page
    // Kept beside the build for a look (pdftoppm -png); not part of the check.
    const QString keep = qEnvironmentVariable("ZM_BUILD_DIR");
    if (!keep.isEmpty()) {
        QFile::remove(keep + "/window-printout.pdf");
        QFile::copy(pdf, keep + "/window-printout.pdf");
    }
}

}  // namespace
}  // namespace zm::test
