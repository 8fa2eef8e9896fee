// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>

#include <initializer_list>
#include <utility>
#include <vector>

#include "app/form_accessibility.h"
#include "app/form_menus.h"
#include "app/lamp_images.h"
#include "app/line_sample.h"
#include "app/wheel_needs_focus.h"

namespace zm {
namespace {

constexpr int kClientWidthTwips = 8175;
constexpr int kClientHeightTwips = 6600;

// A control's place in the client area, as the design gives it.
struct TwipsRect {
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
};

QRect toPixels(TwipsRect r, Zoom zoom = {}) {
    return {twipsToPixels(r.leftTwips, zoom), twipsToPixels(r.topTwips, zoom),
            twipsToPixels(r.widthTwips, zoom), twipsToPixels(r.heightTwips, zoom)};
}

// Each control keeps its design place and face, for a zoom to draw it anew.
constexpr char kDesignTwips[] = "designTwips";
constexpr char kDesignFace[] = "designFace";

// The raw-response line's type is the design's MS Sans Serif 8.25 point, in which a whole
// record fits the line. Where that face is missing, fontconfig hands out a wider sans
// (DejaVu Sans: "... SW 1.50" loses its last digit), so the form's Arial stands in
// (Liberation Sans on Debian, as wide as Arial), and a face still too wide is set smaller
// until a record at the meter's largest readings fits: digits are its widest characters.
constexpr char kWidestRecord[] = ";88888.8,888.8,888.8, R888.8 X888.8 SW 8.88";

QFont rawResponseFont(int widthPx, Zoom zoom) {
    const auto fits = [widthPx](const QFont& font) {
        return QFontMetricsF(font).horizontalAdvance(QLatin1String(kWidestRecord)) <= widthPx;
    };
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(zoom.scaled(8.25));
    if (!fits(font)) {
        font.setFamily(QStringLiteral("Arial"));
    }
    while (!fits(font) && font.pointSizeF() > zoom.scaled(6)) {
        font.setPointSizeF(font.pointSizeF() - zoom.scaled(0.25));
    }
    return font;
}

QFont formFont(Zoom zoom) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(zoom.scaled(9.75));
    return font;
}

// The legend's font at a zoom, below with its caption.
QFont legendFont(Zoom zoom);

// Form: the window's Arial 9.75, inherited. The others are set on the control.
enum class Face { Form, Arial9, RawResponse, Legend };

void applyFace(QWidget* widget, Face face, Zoom zoom = {}) {
    if (face == Face::Arial9) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(zoom.scaled(9));
        widget->setFont(font);
    } else if (face == Face::RawResponse) {
        widget->setFont(rawResponseFont(widget->width(), zoom));
    } else if (face == Face::Legend) {
        widget->setFont(legendFont(zoom));
    }
}

void placeAtDesign(QWidget* widget, TwipsRect at, Face face) {
    widget->setProperty(kDesignTwips,
                        QRect(at.leftTwips, at.topTwips, at.widthTwips, at.heightTwips));
    widget->setProperty(kDesignFace, static_cast<int>(face));
    widget->setGeometry(toPixels(at));
    applyFace(widget, face);
}

template <typename Widget>
Widget* place(QWidget* client, const char* name, TwipsRect at, Face face) {
    auto* widget = new Widget(client);
    widget->setObjectName(QString::fromLatin1(name));
    placeAtDesign(widget, at, face);
    return widget;
}

// Labels are drawn as the design's: text from the top left corner, never markup, so a
// meter response with a "<" in it shows as received.
QLabel* placeLabel(QWidget* client, const char* name, TwipsRect at, Face face, const char* text) {
    auto* label = place<QLabel>(client, name, at, face);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(QString::fromLatin1(text));
    return label;
}

struct LabelSpec {
    QLabel* FormControls::*control;
    const char* name;
    TwipsRect at;
    Face face;
    const char* text;
};

constexpr LabelSpec kLabels[] = {
    {&FormControls::Label10, "Label10", {120, 5040, 855, 310}, Face::Arial9, "Start Freq"},
    {&FormControls::Label11, "Label11", {1680, 5040, 855, 310}, Face::Arial9, "Stop Freq"},
    {&FormControls::Label12, "Label12", {3240, 5040, 495, 310}, Face::Arial9, "Step"},
    {&FormControls::Label4, "Label4", {120, 5520, 375, 315}, Face::Arial9, "Pwr"},
    {&FormControls::Label5, "Label5", {1320, 5520, 255, 315}, Face::Arial9, "Z"},
    {&FormControls::Label13, "Label13", {2400, 5520, 375, 315}, Face::Arial9, "Ph"},
    {&FormControls::Label17, "Label17", {3480, 5520, 255, 315}, Face::Arial9, "R"},
    {&FormControls::Label18, "Label18", {4440, 5520, 255, 315}, Face::Arial9, "X"},
    {&FormControls::Label2, "Label2", {5400, 5520, 495, 315}, Face::Arial9, "SWR"},
    {&FormControls::Label14, "Label14", {6960, 6000, 375, 255}, Face::Arial9, "TRX"},
    {&FormControls::Label16, "Label16", {6960, 6240, 1095, 255}, Face::Arial9, "Commander"},
    {&FormControls::Label31, "Label31", {120, 6120, 3735, 255}, Face::RawResponse, ""},
};

// The legend's words stand at character positions 2, 21, 41, 57, 77 and 96 of 98, so that
// in the form's Arial each word is followed by the colour sample of its series.
constexpr char kLegendCaption[] =
    " R                  X                   Z               Phase               SWR       "
    "         RHO";

// The blanks were counted for whole-pixel glyph advances: a 13-pixel Arial blank is 4 pixels
// there, 3.61 with unhinted advances, and by "RHO" the words would have slipped 33 pixels
// onto the samples before them. At a zoom the hinted blank is rounded again (4 pixels still
// at 125 %), so every character is spaced to make the caption as wide as the design's,
// scaled: the words then stand before their samples, which the zoom moves alike.
QFont legendFont(Zoom zoom) {
    const auto widthOf = [](Zoom at) {
        QFont font = formFont(at);
        font.setHintingPreference(QFont::PreferFullHinting);
        return std::pair(font,
                         QFontMetricsF(font).horizontalAdvance(QLatin1String(kLegendCaption)));
    };
    const double designWidth = widthOf(Zoom()).second;
    auto [font, width] = widthOf(zoom);
    font.setLetterSpacing(QFont::AbsoluteSpacing,
                          (zoom.scaled(designWidth) - width) / qstrlen(kLegendCaption));
    return font;
}

// Line2(k) samples series k+1; Line2(4) (phase, magenta) stands before Line2(3) (SWR,
// black) because the legend lists phase first.
struct LineSpec {
    int fromLeftTwips;
    int toLeftTwips;
    QRgb colour;
};
// The design's 3-pixel pen, centred on the line's top coordinate.
constexpr int kLegendLineTopTwips = 4725;
constexpr int kLegendLineThicknessTwips = 3 * kTwipsPerPixel;
constexpr LineSpec kLegendLines[6] = {
    {480, 1200, qRgb(255, 0, 0)}, {1680, 2400, qRgb(0, 255, 0)},   {2880, 3600, qRgb(0, 0, 255)},
    {5640, 6360, qRgb(0, 0, 0)},  {4320, 5040, qRgb(255, 0, 255)}, {7080, 7800, qRgb(0, 255, 255)},
};

struct TextBoxSpec {
    QLineEdit* FormControls::*control;
    const char* name;
    TwipsRect at;
    Qt::Alignment alignment;
    const char* text;
};

constexpr TextBoxSpec kTextBoxes[] = {
    {&FormControls::Text2, "Text2", {960, 5040, 615, 310}, Qt::AlignHCenter, "14.0"},
    {&FormControls::Text3, "Text3", {2520, 5040, 615, 310}, Qt::AlignHCenter, "14.35"},
    {&FormControls::Text4, "Text4", {480, 5520, 735, 310}, Qt::AlignRight, ""},
    {&FormControls::Text5, "Text5", {1560, 5520, 615, 310}, Qt::AlignRight, ""},
    {&FormControls::Text6, "Text6", {2760, 5520, 615, 310}, Qt::AlignRight, ""},
    {&FormControls::Text15, "Text15", {3720, 5520, 615, 310}, Qt::AlignRight, ""},
    {&FormControls::Text16, "Text16", {4680, 5520, 615, 310}, Qt::AlignRight, ""},
    {&FormControls::Text1, "Text1", {5880, 5520, 615, 310}, Qt::AlignRight, ""},
};

using ListEntries = std::vector<std::pair<QString, int>>;

// A drop-down list with an editable field. The design selects no entry: the field shows
// the initial text until a handler or the user picks one. Typed text never becomes an entry.
// Each entry's item data sits under Qt::UserRole.
QComboBox* placeCombo(QWidget* client, const char* name, TwipsRect at, Face face,
                      const ListEntries& entries, const char* initialText) {
    auto* combo = place<QComboBox>(client, name, at, face);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& [text, data] : entries) {
        combo->addItem(text, data);
    }
    combo->setCurrentIndex(-1);  // the first addItem selected entry 0
    combo->setEditText(QString::fromLatin1(initialText));
    return combo;
}

ListEntries sameData(std::initializer_list<const char*> texts, int data) {
    ListEntries entries;
    for (const char* text : texts) {
        entries.emplace_back(QString::fromLatin1(text), data);
    }
    return entries;
}

// "Com01" to "Com16" with their port numbers. The ninth entry ends in a blank, as in the
// design; its last two characters "9 " still read as port 9.
ListEntries portEntries() {
    ListEntries entries;
    for (int port = 1; port <= 16; ++port) {
        QString text = QStringLiteral("Com%1").arg(port, 2, 10, QLatin1Char('0'));
        if (port == 9) {
            text += QLatin1Char(' ');
        }
        entries.emplace_back(text, port);
    }
    return entries;
}

QLabel* placeLamp(QWidget* client, const char* name, LampColour colour) {
    auto* lamp = place<QLabel>(client, name, {3960, 6120, 255, 255}, Face::Form);
    lamp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lamp->setPixmap(QPixmap::fromImage(lampImage(colour)));
    lamp->setFocusPolicy(Qt::StrongFocus);  // picture boxes take part in the tab sequence
    return lamp;
}

QCheckBox* placeCheckBox(QWidget* client, const char* name, TwipsRect at) {
    auto* box = place<QCheckBox>(client, name, at, Face::Form);
    box->setText(QStringLiteral("Check2"));
    return box;
}

QPushButton* placeButton(QWidget* client, const char* name, TwipsRect at, const char* text) {
    auto* button = place<QPushButton>(client, name, at, Face::Arial9);
    button->setText(QString::fromLatin1(text));
    return button;
}

// Labels and lines first: like the design's graphical controls they lie beneath every
// windowed control (the chart, the check boxes) where the two overlap by a pixel.
void buildGraphicalControls(QWidget* client, FormControls& c) {
    c.Label1 = placeLabel(client, "Label1", {120, 4560, 7935, 375}, Face::Legend, kLegendCaption);
    QPalette legend = c.Label1->palette();
    legend.setColor(QPalette::Window, legend.color(QPalette::HighlightedText));
    c.Label1->setPalette(legend);
    c.Label1->setAutoFillBackground(true);

    for (int k = 0; k < 6; ++k) {
        const LineSpec& entry = kLegendLines[k];
        auto* line = new LineSample(QColor::fromRgb(entry.colour), client);
        line->setObjectName(QStringLiteral("Line2_%1").arg(k));
        placeAtDesign(line,
                      {entry.fromLeftTwips, kLegendLineTopTwips - kLegendLineThicknessTwips / 2,
                       entry.toLeftTwips - entry.fromLeftTwips, kLegendLineThicknessTwips},
                      Face::Form);
        c.Line2[k] = line;
    }
    for (const LabelSpec& entry : kLabels) {
        c.*entry.control = placeLabel(client, entry.name, entry.at, entry.face, entry.text);
    }
}

void buildWindowedControls(QWidget* client, QWidget* chart, FormControls& c) {
    chart->setParent(client);
    chart->setObjectName(QStringLiteral("MSChart1"));
    placeAtDesign(chart, {120, 120, 7935, 4455}, Face::Form);
    if (!(chart->focusPolicy() & Qt::TabFocus)) {
        chart->setFocusPolicy(Qt::StrongFocus);
    }
    c.MSChart1 = chart;

    for (const TextBoxSpec& entry : kTextBoxes) {
        QLineEdit* box = place<QLineEdit>(client, entry.name, entry.at, Face::Arial9);
        box->setAlignment(entry.alignment | Qt::AlignVCenter);
        box->setText(QString::fromLatin1(entry.text));
        c.*entry.control = box;
    }
    // The design's five steps first, in their order; then the finer ones.
    c.Combo1 = placeCombo(client, "Combo1", {3720, 5040, 1095, 345}, Face::Arial9,
                          sameData({"50 kHz", "100 kHz", "200 kHz", "250 kHz", "500 kHz", "1 kHz",
                                    "2 kHz", "5 kHz", "10 kHz", "25 kHz"},
                                   0),
                          "50 kHz");
    // A typed "2" is 2 kHz: completing it inline to "200 kHz" would take another step than
    // the one typed.
    c.Combo1->setCompleter(nullptr);
    takeWheelOnlyWithFocus(c.Combo1);
    c.cmdClear = placeButton(client, "cmdClear", {4920, 5040, 615, 255}, "Clear");
    c.cmdRun = placeButton(client, "cmdRun", {5760, 5040, 615, 255}, "Run");
    c.Combo2 = placeCombo(client, "Combo2", {6600, 5040, 1335, 360}, Face::Form,
                          sameData({"R+jX", "Z & Phase", "SWR - 3:1", "SWR - 10:1", "RHO"}, 0),
                          "Parameters");
    c.Check2[0] = placeCheckBox(client, "Check2_0", {6720, 6000, 255, 255});
    c.Check2[1] = placeCheckBox(client, "Check2_1", {6720, 6240, 255, 255});
    c.Combo3 =
        placeCombo(client, "Combo3", {4320, 6080, 1095, 360}, Face::Form, portEntries(), "Com01");
    c.Combo4 = placeCombo(
        client, "Combo4", {5520, 6080, 1095, 360}, Face::Form,
        {{QStringLiteral("CW"), 1}, {QStringLiteral("AM"), 2}, {QStringLiteral("FSK"), 3}}, "CW");
    c.Picture2[0] = placeLamp(client, "Picture2_0", LampColour::Red);
    c.Picture5 = placeLamp(client, "Picture5", LampColour::Green);  // created last: on top
    c.Picture5->hide();  // red until the meter's first accepted answer
}

void setTabOrder(const FormControls& c) {
    QWidget* const order[] = {c.Text5,  c.Text6,     c.Text2,     c.cmdClear, c.MSChart1,
                              c.cmdRun, c.Combo1,    c.Text4,     c.Picture5, c.Picture2[0],
                              c.Text3,  c.Check2[0], c.Check2[1], c.Text15,   c.Text16,
                              c.Combo2, c.Combo3,    c.Text1,     c.Combo4};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace

FormControls buildFormLayout(QMainWindow& window, QWidget* chartWidget) {
    FormControls c;
    window.setWindowTitle(QString::fromLatin1(kWindowTitle));
    window.setWindowIcon(QIcon(QPixmap::fromImage(windowIconImage())));
    window.setFont(formFont(Zoom()));

    buildMenus(window, c);
    c.client = new QWidget(&window);
    c.client->setObjectName(QStringLiteral("client"));
    window.setCentralWidget(c.client);
    // The design's client area, until the window's height is applied.
    c.client->resize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));

    buildGraphicalControls(c.client, c);
    buildWindowedControls(c.client, chartWidget ? chartWidget : new QWidget, c);
    setTabOrder(c);
    nameFormControls(c);
    return c;
}

void zoomFormLayout(QMainWindow& window, const FormControls& c, Zoom zoom) {
    window.setFont(formFont(zoom));
    c.client->resize(twipsToPixels(kClientWidthTwips, zoom), c.client->height());
    for (QWidget* widget : c.client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QVariant at = widget->property(kDesignTwips);
        if (at.isValid()) {
            const QRect twips = at.toRect();
            widget->setGeometry(
                toPixels({twips.x(), twips.y(), twips.width(), twips.height()}, zoom));
            applyFace(widget, static_cast<Face>(widget->property(kDesignFace).toInt()), zoom);
        }
    }
    c.Picture2[0]->setPixmap(QPixmap::fromImage(lampImage(LampColour::Red, zoom.factor())));
    c.Picture5->setPixmap(QPixmap::fromImage(lampImage(LampColour::Green, zoom.factor())));
}

}  // namespace zm
