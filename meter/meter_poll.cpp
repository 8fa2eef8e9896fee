// SPDX-License-Identifier: GPL-3.0-or-later

#include "meter/meter_poll.h"

namespace zm {

MeterQuery sendMeterQuery(SerialComm& port) {
    const bool open = port.isOpen();
    port.clearOutBuffer();
    port.clearInBuffer();
    if (!open) {
        return MeterQuery::PortClosed;
    }
    return port.output(kMeterQuery) ? MeterQuery::Sent : MeterQuery::Failed;
}

MeterAnswer takeMeterAnswer(SerialComm& port, MeterQuery query) {
    MeterAnswer answer{.query = query};
    if (query == MeterQuery::Sent) {
        answer.raw = port.input();
        if (isAcceptedResponse(answer.raw)) {
            answer.reading = parseMeterRecord(answer.raw);
        }
    }
    answer.portOpen = port.isOpen();
    return answer;
}

}  // namespace zm
