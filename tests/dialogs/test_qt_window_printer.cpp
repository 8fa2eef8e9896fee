// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/qt_window_printer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWidget>

namespace zm {
namespace {

const QColor kWindowColour(0, 96, 192);
const QColor kCornerColour(220, 0, 0);

// A window picture: one colour all over, a red block in its top left corner so that a
// turned or mirrored print shows.
class ColouredWindow : public QWidget {
public:
    explicit ColouredWindow(QSize sizePixels) {
        resize(sizePixels);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, kWindowColour);
        setPalette(colours);
        auto* corner = new QWidget(this);
        corner->setGeometry(0, 0, sizePixels.width() / 5, sizePixels.height() / 5);
        corner->setAutoFillBackground(true);
        colours.setColor(QPalette::Window, kCornerColour);
        corner->setPalette(colours);
    }
};

bool near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 &&
           qAbs(a.blue() - b.blue()) < 40;
}

// The smallest rectangle holding every pixel of the colour.
QRect areaOf(const QImage& page, QColor colour) {
    QRect area;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (near(page.pixelColor(x, y), colour)) {
                area |= QRect(x, y, 1, 1);
            }
        }
    }
    return area;
}

class QtWindowPrinterTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString pdfPath() const { return m_dir.filePath(QStringLiteral("window.pdf")); }

    // The page rendered at 72 dpi by poppler, or a null image when it is not installed.
    QImage renderedPage() const {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
            return {};
        }
        const QString prefix = m_dir.filePath(QStringLiteral("page"));
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {"-r", "72", "-png", "-singlefile", pdfPath(), prefix});
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }

    int pageCount() const {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdfPath()});
        if (!info.waitForFinished() || info.exitCode() != 0) {
            return -1;
        }
        for (const QByteArray& line : info.readAllStandardOutput().split('\n')) {
            if (line.startsWith("Pages:")) {
                return line.mid(6).trimmed().toInt();
            }
        }
        return -1;
    }

    QTemporaryDir m_dir;
};

// Across the printable width at the printer's resolution, whatever the window's size.
TEST_F(QtWindowPrinterTest, PrintsTheWindowAcrossThePrintableWidthOnOnePage) {
    ColouredWindow window(QSize(545, 440));
    QtWindowPrinter printer = QtWindowPrinter::toPdfFile(pdfPath());
    std::string whyNot;
    ASSERT_TRUE(printer.printWindow(window, whyNot)) << whyNot;
    EXPECT_TRUE(whyNot.empty());

    QFile pdf(pdfPath());
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 1000);

    const QImage page = renderedPage();
    if (page.isNull()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    EXPECT_EQ(pageCount(), 1);
    // The printable area of the same printer, in points: pixels of a 72 dpi rendering.
    QPrinter same(QPrinter::HighResolution);
    same.setOutputFormat(QPrinter::PdfFormat);
    const QRectF printable = same.pageLayout().paintRectPoints();
    const QRect picture = areaOf(page, kWindowColour) | areaOf(page, kCornerColour);
    EXPECT_NEAR(picture.width(), printable.width(), printable.width() * 0.02);
    EXPECT_NEAR(picture.left(), printable.left(), 2);
    EXPECT_NEAR(double(picture.width()) / picture.height(), 545.0 / 440.0, 0.02);
    const QRect corner = areaOf(page, kCornerColour);
    EXPECT_EQ(corner.topLeft(), picture.topLeft());
    EXPECT_NEAR(corner.width(), picture.width() / 5.0, 3);
    EXPECT_EQ(page.pixelColor(page.width() - 2, page.height() - 2), QColor(Qt::white));
}

TEST_F(QtWindowPrinterTest, WindowWiderThanThePageShrinksToFitKeepingItsShape) {
    ColouredWindow window(QSize(3000, 600));
    QtWindowPrinter printer = QtWindowPrinter::toPdfFile(pdfPath());
    std::string whyNot;
    ASSERT_TRUE(printer.printWindow(window, whyNot)) << whyNot;
    const QImage page = renderedPage();
    if (page.isNull()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    const QRect picture = areaOf(page, kWindowColour) | areaOf(page, kCornerColour);
    EXPECT_GT(picture.left(), 0);
    EXPECT_LT(picture.right(), page.width() - 1);
    EXPECT_GT(picture.width(), page.width() * 3 / 4);
    EXPECT_NEAR(double(picture.width()) / picture.height(), 5.0, 0.1);
}

TEST_F(QtWindowPrinterTest, FileThatCannotBeWrittenIsReportedNotClaimedPrinted) {
    ColouredWindow window(QSize(545, 440));
    QtWindowPrinter printer =
        QtWindowPrinter::toPdfFile(m_dir.filePath(QStringLiteral("no/such/folder/window.pdf")));
    std::string whyNot;
    EXPECT_FALSE(printer.printWindow(window, whyNot));
    EXPECT_FALSE(whyNot.empty());
}

TEST_F(QtWindowPrinterTest, EmptyWindowIsReportedNotPrinted) {
    QWidget window;
    window.resize(0, 0);
    QtWindowPrinter printer = QtWindowPrinter::toPdfFile(pdfPath());
    std::string whyNot;
    EXPECT_FALSE(printer.printWindow(window, whyNot));
    EXPECT_FALSE(whyNot.empty());
    EXPECT_FALSE(QFile::exists(pdfPath()));
}

TEST(QtWindowPrinterWithoutPrinter, ReportsThatNoPrinterIsSetUp) {
    if (!QPrinterInfo::defaultPrinter().isNull()) {
        GTEST_SKIP() << "this machine has a printer; a test must not print on it";
    }
    ColouredWindow window(QSize(545, 440));
    QtWindowPrinter printer;
    std::string whyNot;
    EXPECT_FALSE(printer.printWindow(window, whyNot));
    EXPECT_NE(whyNot.find("No printer is set up"), std::string::npos) << whyNot;
}

}  // namespace
}  // namespace zm
