// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QTemporaryFile>

namespace zm::test {

// A band plans file whose "any" plan lets a carrier go anywhere, for the benchmarks, which
// time the sweep and not the band plan. The file lasts as long as the object.
class EveryFrequencyPlan {
public:
    EveryFrequencyPlan() {
        if (m_file.open()) {
            m_file.write("[any]\ntitle=every frequency\nall=1-1000000000000\n");
            m_file.flush();
        }
    }
    QString path() const { return m_file.fileName(); }

private:
    QTemporaryFile m_file;
};

}  // namespace zm::test
