// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "sweep/rig_control.h"

namespace zm {

// The rig-control server of this program is Hamlib's rigctld on this computer, e.g.
//   rigctld -m 1035 -r /dev/ttyUSB0 -s 38400 -T 127.0.0.1 -t 4532
// Each create() opens a fresh TCP connection; the server and the transceiver it hands out
// share it. The transceiver's calls send, in rigctld's extended form:
//   SetMode 2 / 4 / 9    +M CW 0 / +M AM 0 / +M RTTY 0   (passband 0: the mode's default)
//   SetMode 0            nothing: the radio keeps its mode
//   SetFrequency 14.05   +F 14050000                      (whole hertz, rounded)
//   SetPTT 1 / 0         +T 1 / +T 0
//   SetOptionA 0         +U XIT 0, then +u XIT            (XIT off, and read back)
//   SetOptionB 0         +U RIT 0                         (RIT off)
//   SetSplit 0           +s, then +S 0 VFOA and +s again only when it says "Split: 1"
// A radio without RIT, XIT or split answers RPRT -4 or -11 to those; that counts as success.
// So does RPRT -9 (refused) to a switch-off: Yaesu's binary CAT refuses to switch off what
// is already off. XIT and split decide where the radio transmits, so they are read back
// after the switch-off; a radio that still reports one on fails with kRigStillOn, and one
// that cannot say (RPRT -1, -4, -9 or -11 to the question, as the FT-817 does) passes.
// Statuses are 0, Hamlib's negative RPRT code, or one of the kRig* codes of
// sweep/rigctld_protocol.h. lastError() words every failure for the user in one sentence
// without a closing full stop, for the caller to build into its message, e.g.
//   "Could not tune to 14.05 MHz: rigctld at 127.0.0.1:4532 gave no answer within 2 s"
// A timeout, a hang-up or a garbled answer closes the connection: later calls fail at once,
// except SetPTT 0, which connects once more so that the transmitter is not left keyed.
class RigctldServerFactory : public RigServerFactory {
public:
    static constexpr quint16 kDefaultPort = 4532;

    // Only a loopback address (127.0.0.1, ::1 or "localhost") is accepted as host: the
    // program drives a rigctld on this computer and nothing on the network.
    explicit RigctldServerFactory(QString host = QStringLiteral("127.0.0.1"),
                                  quint16 port = kDefaultPort);

    std::unique_ptr<RigServer> create(std::string& whyNot) override;
    void setRunByProgram(bool runByProgram) override { m_runByProgram = runByProgram; }

private:
    QString m_host;
    quint16 m_port = kDefaultPort;
    bool m_runByProgram = false;
};

}  // namespace zm
