// SPDX-License-Identifier: GPL-3.0-or-later
// Text from outside (meter bytes, a chosen file name, a rig-control server's complaint)
// that looks like markup or like a format string is shown as it is, never interpreted.

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>
#include <functional>

#include "dialogs/qt_message_boxes.h"
#include "tests/support/recording_transceiver.h"
#include "tests/support/window_fixture.h"

namespace zm::test {
namespace {

// 43 characters: ";", power 2-8, Z 10-14, phase 16-20, the unread 21-39, SWR 40-43.
const std::string kMarkupRecord =
    std::string(";  100.0,") + "<b>x<" + "," + "%1 %n" + "<img src=/tmp/x.png" + "1.50";

TEST(UntrustedMeterRecord, IsARecordTheMeterCouldSend) {
    ASSERT_EQ(kMeterRecordLength, kMarkupRecord.size());
    EXPECT_TRUE(isAcceptedResponse(kMarkupRecord));
}

class UntrustedMeterText : public WindowTest {};

TEST_F(UntrustedMeterText, RawLineAndBoxesShowMarkupLiterally) {
    start();
    comm->answers = {kMarkupRecord};
    window->ReadMeter();

    const FormControls& f = window->controls();
    const QString expected = QString::fromLatin1(kMarkupRecord.c_str());
    ASSERT_TRUE(Qt::mightBeRichText(expected));  // as rich text it would show an image
    EXPECT_EQ(f.Label31->textFormat(), Qt::PlainText);
    EXPECT_EQ(f.Label31->text(), expected);
    EXPECT_EQ(f.Text5->text(), "<b>x<");
    EXPECT_EQ(f.Text6->text(), "%1 %n");
    EXPECT_EQ(f.Text1->text(), "1.50");
}

// What the real message box shows, looked at while it is up, then closed.
struct ShownBox {
    bool seen = false;
    QString title;
    QString text;
    Qt::TextFormat boxFormat = Qt::AutoText;
    Qt::TextFormat labelFormat = Qt::AutoText;
    QString labelText;
    QMessageBox::Icon icon = QMessageBox::Information;
    QMessageBox::StandardButtons buttons;
};

struct UntrustedCase {
    const char* name;
    std::function<void(Devices&, std::string)> arrange;  // puts the text in
    std::function<void(frmMain&)> act;                   // makes the box show
    std::string text;
};

void PrintTo(const UntrustedCase& row, std::ostream* out) {
    *out << row.name;
}

class UntrustedMessageText : public WindowTest,
                             public ::testing::WithParamInterface<UntrustedCase> {};

TEST_P(UntrustedMessageText, RealMessageBoxShowsItAsPlainText) {
    const UntrustedCase& row = GetParam();
    Devices devices = fakeDevices();
    devices.messages = std::make_unique<QtMessageBoxes>();
    row.arrange(devices, row.text);
    createWindow(std::move(devices));
    start();

    ShownBox shown;
    // Looked for until it is up: a sweep's box comes once the sweep has ended, and the event
    // loop runs meanwhile.
    QTimer lookForBox;
    QObject::connect(&lookForBox, &QTimer::timeout, [&shown, &lookForBox] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        lookForBox.stop();
        shown.seen = true;
        shown.title = box->windowTitle();
        shown.text = box->text();
        shown.boxFormat = box->textFormat();
        if (const auto* label = box->findChild<QLabel*>("qt_msgbox_label")) {
            shown.labelFormat = label->textFormat();
            shown.labelText = label->text();
        }
        shown.icon = box->icon();
        shown.buttons = box->standardButtons();
        box->done(QMessageBox::Ok);
    });
    lookForBox.start(std::chrono::milliseconds(10));
    row.act(*window);

    ASSERT_TRUE(shown.seen) << "no message box came up";
    const QString expected = QString::fromStdString(row.text);
    EXPECT_EQ(shown.title, "ZM-480_Plot");
    EXPECT_EQ(shown.icon, QMessageBox::NoIcon);
    EXPECT_EQ(shown.buttons, QMessageBox::Ok);
    EXPECT_EQ(shown.boxFormat, Qt::PlainText);
    EXPECT_EQ(shown.labelFormat, Qt::PlainText);
    EXPECT_TRUE(shown.text.contains(expected)) << shown.text.toStdString();
    EXPECT_TRUE(shown.labelText.contains(expected)) << shown.labelText.toStdString();
}

void chosenFileName(Devices& devices, std::string name) {
    auto dialog = std::make_unique<ScriptedFileDialog>();
    dialog->onShow = [name](ScriptedFileDialog& d) {
        d.FileName = name;
        return true;
    };
    devices.fileDialog = std::move(dialog);
}

void rigRefusal(Devices& devices, std::string complaint) {
    // A meter that answers, so that the sweep goes on to the radio.
    static_cast<FakeSerialComm&>(*devices.comm).answers = {
        ";  100.0, 50.0,-30.0 R  43.3 X  25.0 SW1.50"};
    auto factory = std::make_unique<RecordingRigServerFactory>();
    factory->failCall(1, -9, complaint);
    devices.rigServers = std::move(factory);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, UntrustedMessageText,
    ::testing::Values(UntrustedCase{"FileNameFromOpen", chosenFileName,
                                    [](frmMain& w) { w.mnuOpen_Click(); },
                                    "/home/ham/<b>x</b> <img src=x.png> %1 %n.txt"},
                      UntrustedCase{"FileNameFromSaveAs", chosenFileName,
                                    [](frmMain& w) { w.MnuSaveAs_Click(); },
                                    "/tmp/<i>%2</i>&amp;.csv"},
                      UntrustedCase{"RigControlComplaint", rigRefusal,
                                    [](frmMain& w) {
                                        choosePlotMode(w, 2);
                                        w.cmdRun_Click();
                                    },
                                    "rigctld said <font color=red>%1</font> &lt;busy&gt;"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zm::test
