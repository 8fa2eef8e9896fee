// SPDX-License-Identifier: GPL-3.0-or-later
// A program that keeps sweeps in a folder's history, for the tests that run several at once or
// kill one: history_writer FOLDER COUNT TAG writes COUNT sweeps of the simulated dipole (0:
// until it is killed), each at a time of its own, 18 to 71 points, and ends with status 1 on
// the first sweep not kept, saying why.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "history/history_store.h"
#include "tests/history/history_sweeps.h"

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: history_writer FOLDER COUNT TAG\n", stderr);
        return 2;
    }
    const long count = std::atol(argv[2]);
    const long tag = std::atol(argv[3]);
    zm::HistoryStore history(argv[1]);
    for (long i = 0; count == 0 || i < count; ++i) {
        const zm::test::DipoleSweep sweep{.stepMHz = 0.005 * static_cast<double>(1 + i % 4),
                                          .shiftKHz = static_cast<double>(i % 30),
                                          .taken = {1790000000 + tag * 100000000 + i * 60, 120}};
        const zm::HistoryStore::Recorded kept = history.record(zm::test::dipoleEntry(sweep));
        if (!kept.said.empty()) {
            std::fprintf(stderr, "said: %s\n", kept.said.c_str());
        }
        if (!kept.id) {
            std::fprintf(stderr, "sweep %ld not kept: %s\n", i, kept.said.c_str());
            return 1;
        }
    }
    return 0;
}
