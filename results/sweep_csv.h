// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "results/sweep_record.h"
#include "results/text_file.h"

namespace zm {

// A sweep as CSV, for a spreadsheet or any CSV reader: comment lines, a header row and one
// row a point, X signed, a point without a reading left empty, and last how the point was
// taken (see PointTaking) or why it was not:
//
//   # program: ZM-480 Plot
//   # taken: 2024-05-01 14:03:22
//   # start_mhz: 14
//   # stop_mhz: 14.35
//   # step_khz: 50
//   # carrier_mode: CW
//   # plane: antenna; feedline 20 m of RG-58
//   # antenna: 20m dipole
//   frequency_hz,power,z_ohm,phase_deg,r_ohm,x_ohm,swr,rho,return_loss_db,taken
//   14000000,100,83.4,-48.2,55.573,-62.189,3.07,0.50668,5.91,settled 4
//   14050000,,,,,,,,,
//   14400000,,,,,,,,,outside band plan
//
// The measured values (power, Z, phase, SWR) are written so that they read back exactly;
// R, X, rho and the return loss are worked out from Z and phase. A matched load has an
// infinite return loss, a total reflection an infinite SWR, both written "inf". The plane
// says where the values stand: at the meter as it read them, or at the antenna with the
// feedline taken out. A point that has no value at the antenna holds the meter's values,
// its taken column saying why (files of earlier versions left them out):
//
//   28500000,100,2200,0,2200.000,0.000,99,0.95556,0.39,beyond the feedline's loss
//
// The antenna's line is there when the sweep names one. The comments hold no comma (one in
// the antenna's name is written as a semicolon), so a spreadsheet keeps each in its first cell.
std::string writeSweepCsv(const SweepRecord& record);

// The same in parts, for a sweep written as its points come: the comment lines and the
// header row, then one row a point (nothing for a point at 0 Hz or below).
std::string sweepCsvHead(const SweepRecord& record);
std::string sweepCsvRow(const SweepPoint& point);

// Reads what writeSweepCsv wrote, and the same after a spreadsheet has saved it again
// (CRLF, a byte order mark, quoted fields, other columns in any order): the header must
// name frequency_hz, power, z_ohm, phase_deg and swr; frequencies are whole Hz and rise
// from row to row; a row with an empty z_ohm has no reading; a taken column is read where
// there is one, and a row beyond the feedline's loss gives its values as the meter's. R, X, rho and
// the return loss are not read: they follow from Z and phase; the SWR may be "inf". The notes come
// from the comment lines before the header row; those it lacks stay empty.
std::variant<SweepRecord, FileError> readSweepCsv(std::string_view text);

}  // namespace zm
