// SPDX-License-Identifier: GPL-3.0-or-later
// Setup, Station as a user fills it in: what it refuses before rigctld could misread it.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogs/station_dialog.h"

namespace zm {
namespace {

constexpr const char* kMeter = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10KZ3XY-if00-port0";
constexpr const char* kRadio = "/dev/serial/by-id/usb-Silicon_Labs_CP2102_IC-7300_03001234-if00";

StationDialogInput input() {
    StationDialogInput in;
    in.meterPortName = "Com01";
    in.meterDevice = kMeter;
    in.devices = {{kMeter, "/dev/ttyUSB0", "FTDI"}, {kRadio, "/dev/ttyUSB1", "Silicon Labs"}};
    in.models = {{1035, "Yaesu", "FT-991", "Stable"},
                 {1036, "Yaesu", "FT-950", "Stable"},
                 {3073, "Icom", "IC-7300", "Stable"}};
    in.ratesOf = [](int model) {
        return model == 3073 ? std::vector<int>{4800, 9600, 19200} : std::vector<int>{38400};
    };
    in.rig.server = RigServerChoice::Own;
    return in;
}

struct Filling {
    const char* behaviour;
    const char* model;
    const char* device;
    const char* civ;
    std::optional<RigSettings> chosen;  // empty: refused with a message
};

RigSettings rig(int model, std::optional<int> civ) {
    RigSettings r;
    r.server = RigServerChoice::Own;
    r.model = model;
    r.device = kRadio;
    r.civAddress = civ;
    return r;
}

TEST(StationDialog, TakesOnlyWhatRigctldReadsAsMeant) {
    const Filling table[] = {
        {"an Icom address in hexadecimal", "7300", kRadio, "0x94", rig(3073, 0x94)},
        {"no address: the radio's default", "ic-7300", kRadio, "", rig(3073, std::nullopt)},
        {"94 without 0x, which rigctld reads as decimal", "7300", kRadio, "94", std::nullopt},
        {"a Yaesu has no CI-V address", "ft-991", kRadio, "0x94", rig(1035, std::nullopt)},
        {"a part that names two models", "yaesu ft-9", kRadio, "", std::nullopt},
        {"the meter's device for the radio", "7300", kMeter, "", std::nullopt},
        {"the meter's device by its kernel name", "7300", "/dev/ttyUSB0", "", std::nullopt},
        {"a kernel name kept as its lasting by-id name", "7300", "/dev/ttyUSB1", "",
         rig(3073, std::nullopt)},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.behaviour);
        StationDialog dialog(input());
        dialog.model()->setEditText(row.model);
        dialog.radioDevice()->setEditText(row.device);
        dialog.civAddress()->setText(row.civ);
        const auto choice = dialog.choice();
        EXPECT_EQ(choice ? std::optional(choice->rig) : std::nullopt, row.chosen);
        EXPECT_EQ(dialog.message()->text().isEmpty(), row.chosen.has_value());
    }
}

TEST(StationDialog, OffersTheRatesOfTheChosenModel) {
    StationDialog dialog(input());
    dialog.model()->setEditText("7300");
    QStringList rates;
    for (int i = 0; i < dialog.baud()->count(); ++i) {
        rates << dialog.baud()->itemText(i);
    }
    EXPECT_EQ(rates, (QStringList{"the radio's default", "4800", "9600", "19200"}));
    EXPECT_TRUE(dialog.civAddress()->isEnabled());
    dialog.model()->setEditText("FT-991");
    EXPECT_EQ(dialog.baud()->count(), 2);
    EXPECT_FALSE(dialog.civAddress()->isEnabled());
}

}  // namespace
}  // namespace zm
