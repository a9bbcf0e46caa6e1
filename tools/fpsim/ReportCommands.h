#pragma once
// The report commands: X and Z reports, the journal read and print, the reprint of
// earlier documents, and the lottery status of a receipt.

#include "Journal.h"

#include <cstddef>
#include <string>
#include <vector>

class Printer;
struct PrinterState;

// 2001 X report, 3001 Z report, 3103 journal read or print, 1047 reprint of the last
// receipt, 3098 reprint by number, 9218 lottery status.
void RegisterReportCommands(Printer& printer);

// The body of the daily report (after the shop header): the Z report with its
// number and seal when zReport is true, else the X report, in lines of the width.
std::vector<std::string> DailyReportLines(const PrinterState& state, bool zReport, int number, DateTime now,
                                          size_t width);
