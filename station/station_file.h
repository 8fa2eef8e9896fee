// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// station.ini, beside config.ini: the station around the meter. Users and scripts write it
// too, so its keys stay exactly these:
//
//   [rig]
//   server=own
//   model=3073
//   device=/dev/serial/by-id/usb-Silicon_Labs_CP2102_USB_to_UART_Bridge_Controller_IC-7300_03001234-if00-port0
//   baud=19200
//   civaddr=0x94
//   ptt=RIG
//   port=4532
//
//   [sweep]
//   settle=fixed
//   max_power_w=
//   points=every
//
//   [licence]
//   plan=iaru1
//
//   [bands]
//   sweep=80m,40m,20m
//   points=20
//
//   [feedline]
//   cable=RG-213
//   length_m=20
//   vf=
//   loss_db_per_100m=
//   loss_at_mhz=
//   show=antenna
//
//   [history]
//   resonance_khz=15
//   swr=0.3
//
//   [antennas]
//   in_use=40m dipole
//   ant1=40m dipole
//   ant2=20m yagi
//
// Comments are lines of their own that begin with ";" or "#". Sections and keys that this
// program does not know are kept as they stand whenever it writes the file.

// Who runs rigctld: the user (on 127.0.0.1 at port) or the program, for the radio below.
enum class RigServerChoice { External, Own };
// How rigctld keys the radio: through its CAT commands, or the DTR or RTS line of its port.
enum class PttMethod { Rig, Dtr, Rts };
// How long a sweep point stays keyed: the fixed 1.0 s wait, or until the readings settle.
enum class SettleMode { Fixed, Readings };
// Which of the plan's points a sweep keys: every one in order, or only those the curve
// needs (the refine rule).
enum class PlanPoints { Every, Refine };

struct RigSettings {
    static constexpr std::uint16_t kDefaultPort = 4532;

    RigServerChoice server = RigServerChoice::External;
    int model = 0;                  // Hamlib's model number (rigctld -l); 0: none chosen
    std::string device;             // the radio's serial device
    std::optional<int> baud;        // none: the model's own default rate
    std::optional<int> civAddress;  // Icom's CI-V address; none: the radio's default
    PttMethod ptt = PttMethod::Rig;
    std::uint16_t port = kDefaultPort;  // rigctld's TCP port on 127.0.0.1

    bool operator==(const RigSettings&) const = default;
};

struct SweepSettings {
    SettleMode settle = SettleMode::Fixed;
    std::optional<double> maxPowerW;  // the power ceiling; none: no ceiling
    PlanPoints points = PlanPoints::Every;

    bool operator==(const SweepSettings&) const = default;
};

// Where a sweep may key the transmitter: the key of a shipped band plan (band-plans.ini),
// or "own" for bands.ini beside config.ini.
struct LicenceSettings {
    static constexpr std::string_view kAnyPlan = "any";
    static constexpr std::string_view kOwnPlan = "own";

    std::string plan{kAnyPlan};

    bool operator==(const LicenceSettings&) const = default;
};

// "Sweep my bands...": the bands ticked, by their names in the band plan, and how many
// points each band's sweep has.
struct BandsSettings {
    static constexpr int kDefaultPoints = 20;
    static constexpr int kFewestPoints = 3;
    static constexpr int kMostPoints = 500;

    std::vector<std::string> sweep;
    int points = kDefaultPoints;

    bool operator==(const BandsSettings&) const = default;
};

// The cable between the meter and the antenna. `cable` names one of the program's cable
// list, or is "custom" for a cable given by its velocity factor and its matched loss at one
// or two frequencies (dB per 100 m at each of lossAtMHz, in the same order), or is empty for
// none: the readings are the meter's. `showAtAntenna`: whether the window shows every
// reading at the antenna or at the meter.
struct FeedlineSettings {
    std::string cable;
    std::optional<double> lengthM;
    std::optional<double> velocityFactor;
    std::vector<double> lossDbPer100m;
    std::vector<double> lossAtMHz;
    bool showAtAntenna = true;

    bool operator==(const FeedlineSettings&) const = default;
};

inline constexpr std::string_view kCustomCable = "custom";

// How far a sweep may differ from the reference sweep of its antenna and band before the
// line after it says that it has drifted: its resonance in kHz, its lowest SWR.
struct HistorySettings {
    static constexpr double kDefaultResonanceKHz = 15.0;
    static constexpr double kDefaultSwr = 0.3;

    double resonanceKHz = kDefaultResonanceKHz;
    double swr = kDefaultSwr;

    bool operator==(const HistorySettings&) const = default;
};

// The antenna in use, by its name in the history, and the radio's antenna sockets tied to
// antennas: ant1=40m dipole. Where the radio reports its socket, the antenna in use follows
// it.
struct AntennaSettings {
    static constexpr int kMostSockets = 32;  // as many as Hamlib counts
    static constexpr std::string_view kFirstAntenna = "Antenna 1";

    std::string inUse;                   // empty: none named yet
    std::map<int, std::string> sockets;  // socket (from 1) to antenna

    bool operator==(const AntennaSettings&) const = default;
};

// The antenna a sweep is for: the one tied to the socket the radio reports, else the one in
// use, else the first one's name of a station that has named none.
std::string antennaInUse(const AntennaSettings& antennas, std::optional<int> radioSocket);

// An antenna renamed in use and in the ties, so that they follow its history.
void renameAntennaIn(AntennaSettings& antennas, std::string_view from, std::string_view to);

struct StationSettings {
    RigSettings rig;
    SweepSettings sweep;
    LicenceSettings licence;
    BandsSettings bands;
    FeedlineSettings feedline;
    HistorySettings history;
    AntennaSettings antennas;

    bool operator==(const StationSettings&) const = default;
};

struct StationFileRead {
    StationSettings settings;  // the defaults wherever the file says nothing
    // Empty for a sound file; else the first fault, for the user, without a closing full
    // stop: "line 4: baud=fast is not a rate in bit/s".
    std::string damage;
};

// Reads the file's text (CRLF, LF or CR line ends). A damaged file gives the defaults.
StationFileRead readStationText(std::string_view text);

// The file with the settings in it. The previous text's comments, blank lines, unknown
// sections and keys keep their places; a known key keeps its line and gets the new value;
// a key or section that is missing is added at the end of its section or of the file.
std::string writeStationText(const StationSettings& settings, std::string_view previousText = {});

// A CI-V address as the file and the dialog show it, and as rigctld's -c takes it: "0x94".
std::string civAddressText(int address);
std::string_view pttText(PttMethod method);  // "RIG", "DTR" or "RTS", as rigctld's -P takes it

}  // namespace zm
