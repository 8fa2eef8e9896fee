// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/sweep_usage.h"

namespace zm {

const std::string_view kSweepUsage =
    R"(Usage: zm480-sweep --band NAME[,NAME...] [--points N] [OPTION]...
       zm480-sweep --start F --stop F --step S [OPTION]...

Sweeps the antenna with the ZM-480 meter and the radio of ZM-480 Plot's
settings, without a window: for a station computer reached over SSH, a script or
a shell. Each point is tuned, keyed, read and unkeyed as the window's Run does
it, never outside the band plan. The sweep goes to standard output as CSV, or to
a file; the progress goes to standard error.

What to sweep:
  -b, --band NAME[,NAME...]  bands of the band plan, each from edge to edge,
                             lowest first, as Sweep my bands does
      --points N             points in each band, 3 to 500 (station.ini's
                             [bands] points, else 20)
      --start F --stop F --step S
                             frequencies in MHz, or with a unit: 14.0, 14000k,
                             14.35M; a step of 50k or 0.05. Start and stop are
                             taken to two decimals, as in the window's boxes

How to sweep (each one defaults to the settings folder's choice):
  -m, --mode CW|AM|FSK       the carrier mode (config.ini's, else CW)
  -p, --plan KEY             the band plan of this run: any, iaru1, iaru2,
                             iaru3, us-extra, us-general or own
      --refine, --every      key only the points the curve needs, or every point
      --at antenna|meter     the readings at the antenna, the feedline taken
                             out, or at the meter

What comes out:
  -o, --output FILE          FILE.csv, or FILE.s1p for Touchstone; - (the
                             default) for CSV on standard output. With several
                             bands one file each: sweep-40m.csv, sweep-20m.csv
  -k, --keep                 keep each sweep as a memory too, for the window
  -n, --dry-run              open nothing and key nothing: list each point it
                             would key or skip, and the most key-downs
      --summary text|json    what the markers say of each sweep (text): on
                             standard error when the sweep goes to standard
                             output, else on standard output
      --settings DIR         the settings folder (the window's, by default
                             ~/.config/zm480-plot)

The history:
  -a, --antenna NAME         the antenna the sweeps are kept under in
                             history.sqlite (station.ini's [antennas] ant1=
                             and so on for the radio's socket in use, else
                             in_use, else "Antenna 1"); a new name is added
      --alert                exit with status 5 when every sweep completed and
                             one drifted from its reference beyond station.ini's
                             [history] resonance_khz (15) or swr (0.3)
  -h, --help                 print this text
  -V, --version              print the version

While the window of the same settings folder is open, the meter is the window's:
the command then keys nothing and says so.

Ctrl+C, SIGTERM and SIGHUP (the SSH link dropped) unkey the transmitter first,
then write what was measured, then end the command with status 1. So does
standard output or error going away (an SSH link dropped without a terminal, a
reader that exits): what was measured is then kept as a memory too, and
zm480-sweep.log in the settings folder says where.

Every sweep that keyed a point is kept in the history, whose number, reference
and drift the summary gives; zm480-history(1) reads it.

Exit status: 0 every point swept; 1 stopped (a signal, its output gone, no
power, the power ceiling, the radio lost); 2 wrong usage, or a file of -o that
cannot be written; 3 the station is not ready (the meter does not answer, the
radio is not there, rigctld is held up); 4 nothing to sweep in the band plan;
5 drifted, with --alert. With 2, 3 and 4 nothing was keyed.
)";

std::string sweepVersionText(std::string_view version) {
    return "zm480-sweep (ZM-480 Plot) " + std::string(version) + "\n";
}

std::string usageErrorLine(std::string_view why) {
    return "zm480-sweep: " + std::string(why) + "\n";
}

}  // namespace zm
