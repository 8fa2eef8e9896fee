// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace zm {

// How large the program draws itself (View, Zoom): the window's design in twips becomes
// pixels at 15 twips to the pixel at 100 %, 7.5 at 200 %, and fonts, pens and markers grow
// alike. What the user stores (config.ini's twips, sweep files, pictures) does not change.
class Zoom {
public:
    static constexpr std::array<int, 5> kPercents{100, 125, 150, 175, 200};

    constexpr Zoom() = default;
    // One of kPercents; none for any other.
    static std::optional<Zoom> ofPercent(int percent);

    constexpr int percent() const { return m_percent; }
    constexpr double factor() const { return m_percent / 100.0; }
    // A length of the design's pixels (a pen, a margin, a marker) at this zoom.
    constexpr double scaled(double designPixels) const { return designPixels * factor(); }
    // The next step of kPercents up or down; itself at either end.
    Zoom larger() const;
    Zoom smaller() const;

    bool operator==(const Zoom&) const = default;

private:
    explicit constexpr Zoom(int percent) : m_percent(percent) {}
    int m_percent = 100;
};

// 1440 twips to the inch: 15 to the pixel at 100 %.
inline constexpr int kTwipsPerPixel = 15;

// The one conversion from the design's twips to pixels: twips / 15 x the zoom, to the
// nearest pixel. Saturates far outside any screen, so damaged settings cannot overflow a
// coordinate.
int twipsToPixels(double twips, Zoom zoom = {});
// The way back, unrounded.
double pixelsToTwips(double pixels, Zoom zoom = {});

// window.ini beside config.ini, exactly as written:
//
//   [window]
//   zoom=150
//
// Blank lines, comments (";", "#"), blanks around names and values, CRLF line ends and other
// keys are read past; a file without a zoom of kPercents in [window] is damaged.
struct WindowFileRead {
    Zoom zoom;           // 100 % when damaged
    std::string damage;  // empty for a sound file; else the fault, for the user
};
WindowFileRead readWindowText(std::string_view text);
std::string writeWindowText(Zoom zoom);

}  // namespace zm
