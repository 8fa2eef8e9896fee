// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/history_usage.h"

namespace zm {

const std::string_view kHistoryUsage =
    R"(Usage: zm480-history list [--antenna NAME] [--band B] [--since DATE] [--json]
       zm480-history trend --antenna NAME --band B [--json]
       zm480-history show ID [-o FILE.csv|FILE.s1p]
       zm480-history reference ID
       zm480-history delete ID
       zm480-history import --antenna NAME FILE...

The history of ZM-480 Plot's antennas: every sweep of the window and of
zm480-sweep, kept in history.sqlite in the settings folder under the antenna's
name. It needs neither the radio nor the meter, and runs beside an open window.

Commands:
  list        one line a sweep, oldest first: its number (ID), time, antenna,
              band, lowest SWR and where, 2:1 width, resonance and how it ended
  trend       each sweep of an antenna and band with its drift from their
              reference sweep (the one marked, else the first that completed)
  show        the sweep's points as zm480-sweep writes them: CSV on standard
              output, or the file of -o (CSV, or Touchstone for .s1p)
  reference   mark the sweep as the reference of its antenna and band
  delete      take the sweep out of the history
  import      keep CSV and Touchstone files this program wrote (memories/
              too) as sweeps of the antenna; a file kept already is passed over

Options:
  -a, --antenna NAME         the antenna, by its name in any letter case
  -b, --band B               the band, by its name in the band plan ("" for
                             the sweeps in no band)
      --since DATE           the sweeps from that day (2026-10-01) or time
                             ("2026-10-01 18:00:00") on, local time
      --json                 one JSON object a line, for a script
  -o, --output FILE          show's file: FILE.csv, FILE.s1p, or - (the
                             default) for CSV on standard output
      --settings DIR         the settings folder (the window's, by default
                             ~/.config/zm480-plot)
  -h, --help                 print this text
  -V, --version              print the version

station.ini's [history] resonance_khz (15) and swr (0.3) say how far a sweep
may drift from the reference before trend calls it beyond the limits.

Exit status: 0 done; 1 the history could not be read or changed, or a file not
imported or written; 2 wrong usage; 3 no history in the folder, or no such
sweep or antenna and band in it.
)";

std::string historyVersionText(std::string_view version) {
    return "zm480-history (ZM-480 Plot) " + std::string(version) + "\n";
}

}  // namespace zm
