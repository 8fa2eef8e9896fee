// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/form_layout.h"
#include "dialogs/message_box.h"
#include "zoom/zoom.h"

class QMainWindow;

namespace zm {

// The window's size, place and zoom. View, Zoom draws the window, its other windows and its
// message boxes at 100 to 200 %, kept in window.ini; a step that would not fit the screen is
// greyed with the reason. The outer height is kept in twips, as config.ini holds it, so that
// config.ini reads the same at every zoom; the position is a place on the screen, which no
// zoom moves.
class WindowZoom : public QObject {
    Q_OBJECT

public:
    // Title bar, menu bar and frame of the design's platform: the outer height less this is
    // the client area, so that the Normal size ends above the lower strip on any platform.
    static constexpr int kNonClientPixels = 46;
    // Outer heights of the Setup menu's two sizes, in twips.
    static constexpr float kNormalHeightTwips = 6645;
    static constexpr float kDiagHeightTwips = 7230;

    // `zoomOthers` draws what the window holds besides its form at a zoom: its chart and
    // its other windows. The zoom menu is wired here.
    WindowZoom(QMainWindow& window, const FormControls& form, QString folder,
               MessageBoxes& messages, std::function<void(Zoom)> zoomOthers);

    // window.ini, read when the window is made; the largest zoom up to its own that fits.
    void load();
    // View, Zoom: the steps, Zoom in and Zoom out; each kept in window.ini.
    void choose(Zoom zoom);
    void zoomIn();
    void zoomOut();
    Zoom zoom() const { return m_zoom; }
    // What was wrong with window.ini, once, at the first start-up.
    void reportDamage();

    // The outer height the window has now in twips, whatever the zoom.
    float heightTwips() const;
    int clientHeightPixels() const;
    // Only the height changes; a height outside what a screen can show is taken for damage.
    void applyOuterHeight(float heightTwips);
    // config.ini's corner, where it leaves enough of the window on some screen.
    void applyPosition(std::optional<float> leftTwips, std::optional<float> topTwips);

private:
    void apply(Zoom zoom);
    // Why the window would not fit the screen it is on at that zoom; empty when it fits.
    QString whyDoesNotFit(Zoom zoom) const;
    void showChoices();  // greys the steps that would not fit, with the reason
    int clientPixelsFor(float heightTwips) const;  // at the zoom
    void placeFrameAt(QPoint corner);

    QMainWindow& m_window;
    const FormControls& m_form;
    QString m_folder;
    MessageBoxes& m_messages;
    std::function<void(Zoom)> m_zoomOthers;
    Zoom m_zoom;
    // The outer height last applied, in twips: what the window keeps while its pixels still
    // show that height, as a zoom rounds it to whole pixels.
    std::optional<float> m_heightTwips;
    std::string m_fileDamage;
};

}  // namespace zm
