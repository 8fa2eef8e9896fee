// SPDX-License-Identifier: GPL-3.0-or-later
// The station's set-up in plain C++: rigctld's arguments in Hamlib's spellings, the model
// list of the installed `rigctld -l`, the rates of `rigctl -u`, and /proc/net/tcp.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "station/port_holders.h"
#include "station/rig_model_list.h"
#include "station/rigctld_arguments.h"

namespace zm {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

RigSettings ic7300() {
    RigSettings rig;
    rig.server = RigServerChoice::Own;
    rig.model = 3073;
    rig.device = "/dev/serial/by-id/usb-Silicon_Labs_CP2102_IC-7300_03001234-if00-port0";
    rig.baud = 19200;
    rig.civAddress = 0x94;
    rig.port = 4533;
    return rig;
}

struct ArgumentsRow {
    const char* behaviour;
    void (*change)(RigSettings&);
    std::vector<std::string> arguments;  // empty: refused
};

TEST(RigctldArguments, SpellEveryValueAsHamlibReadsIt) {
    const std::string device = ic7300().device;
    const ArgumentsRow table[] = {
        {"CI-V 0x94 goes as 0x94, never as decimal 94",
         [](RigSettings&) {},
         {"-m", "3073", "-r", device, "-s", "19200", "-c", "0x94", "-P", "RIG", "-T", "127.0.0.1",
          "-t", "4533", "-v"}},
        {"no CI-V address and no rate: the radio's defaults",
         [](RigSettings& r) { r.civAddress.reset(), r.baud.reset(); },
         {"-m", "3073", "-r", device, "-P", "RIG", "-T", "127.0.0.1", "-t", "4533", "-v"}},
        {"PTT on RTS",
         [](RigSettings& r) { r.ptt = PttMethod::Rts; },
         {"-m", "3073", "-r", device, "-s", "19200", "-c", "0x94", "-P", "RTS", "-T", "127.0.0.1",
          "-t", "4533", "-v"}},
        {"a PTT type outside RIG, DTR and RTS is refused",
         [](RigSettings& r) { r.ptt = static_cast<PttMethod>(7); },
         {}},
        {"no model", [](RigSettings& r) { r.model = 0; }, {}},
        {"no device", [](RigSettings& r) { r.device.clear(); }, {}},
        {"a device that reads as an option", [](RigSettings& r) { r.device = "-vvvv"; }, {}},
        {"a controller's CI-V address", [](RigSettings& r) { r.civAddress = 0xE0; }, {}},
        {"a port below 1024", [](RigSettings& r) { r.port = 80; }, {}},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.behaviour);
        RigSettings rig = ic7300();
        row.change(rig);
        std::string whyNot;
        const auto arguments = rigctldArguments(rig, whyNot);
        EXPECT_EQ(arguments.value_or(std::vector<std::string>{}), row.arguments);
        EXPECT_EQ(whyNot.empty(), arguments.has_value());
    }
}

std::string outputOf(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen((command + " 2>/dev/null").c_str(), "r"),
                                               ::pclose);
    std::string text;
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) {
        text += buffer;
    }
    return text;
}

TEST(RigModelList, ReadsTheInstalledRigctldByColumnNotByBlanks) {
    const std::string listed = outputOf("rigctld -l");
    if (listed.empty()) {
        GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils)";
    }
    const auto models = parseRigModelList(listed);
    const auto lines = std::count(listed.begin(), listed.end(), '\n');
    EXPECT_EQ(static_cast<long>(models.size()), lines - 1);  // all but the header

    const struct {
        int number;
        const char* maker;
        const char* name;
        bool civ;  // takes a CI-V address
    } table[] = {
        {1, "Hamlib", "Dummy", false},    {5, "TRXManager", "TRXManager 5.7.630+", false},
        {1020, "Yaesu", "FT-817", false}, {3073, "Icom", "IC-7300", true},
        {3088, "Xiegu", "G90", true},     {4001, "Icom", "IC-PCR1000", false},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.number);
        const RigModel* model = findRigModel(models, row.number);
        ASSERT_NE(model, nullptr);
        EXPECT_EQ(model->maker, row.maker);
        EXPECT_EQ(model->name, row.name);
        EXPECT_EQ(model->takesCivAddress(), row.civ);
    }

    // What the user types in the model field.
    const struct {
        const char* typed;
        int model;  // 0: no single model
    } typedTable[] = {
        {"7300", 3073}, {"ic-7300", 3073}, {"Icom IC-7300 (3073)", 3073}, {"3073", 3073},
        {"ft-9", 0},    {"kenwood", 0},    {"no such radio", 0},          {"", 0},
    };
    for (const auto& row : typedTable) {
        SCOPED_TRACE(row.typed);
        const RigModel* named = modelNamedBy(models, row.typed);
        EXPECT_EQ(named ? named->number : 0, row.model);
    }
    for (const char* typed : {"ft-9", "kenwood"}) {
        EXPECT_GT(
            std::ranges::count_if(models, [&](const RigModel& m) { return m.matches(typed); }), 1)
            << typed;
    }

    EXPECT_THAT(parseSerialRates(outputOf("rigctl -m 3073 -u")),
                ElementsAre(4800, 9600, 19200, 38400, 57600, 115200));
}

TEST(ListeningSockets, FindsTheListenerOfAPortAndTheConnectionsItTookInProcNetTcp) {
    constexpr const char* kTable =
        "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
        "timeout inode\n"
        "   0: 0100007F:11B4 00000000:0000 0A 00000000:00000000 00:00000000 00000000  1000     "
        "   0 98046 1 0000000000000000 100 0 0 10 0\n"
        "   1: 0100007F:D2F0 0100007F:11B4 01 00000000:00000000 00:00000000 00000000  1000     "
        "   0 98049 1 0000000000000000 20 4 30 10 -1\n"
        "   2: 0100007F:11B4 0100007F:D2F0 01 00000000:00000000 00:00000000 00000000  1000     "
        "   0 98050 1 0000000000000000 20 4 30 10 -1\n"
        "   3: 00000000:11B5 00000000:0000 0A 00000000:00000000 00:00000000 00000000     0     "
        "   0 120262 1 0000000000000000 100 0 0 10 0\n"
        "   4: 0100007F:11B4 0100007F:D2F2 01 00000009:00000000 00:00000000 00000000     0     "
        "   0 0 1 0000000000000000 20 4 30 10 -1\n";
    EXPECT_THAT(listeningSocketInodes(kTable, 4532), ElementsAreArray({98046UL}));
    EXPECT_THAT(listeningSocketInodes(kTable, 4533), ElementsAreArray({120262UL}));
    EXPECT_TRUE(listeningSocketInodes(kTable, 4534).empty());
    // 54000's connection was taken (the line before it is the client's end), 54002's waits in
    // the listener's queue.
    EXPECT_EQ(takenConnectionInode(kTable, 4532, 54000), 98050UL);
    EXPECT_EQ(takenConnectionInode(kTable, 4532, 54002), 0UL);
    EXPECT_EQ(takenConnectionInode(kTable, 4532, 54004), std::nullopt);
}

}  // namespace
}  // namespace zm
