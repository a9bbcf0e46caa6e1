#pragma once
// Publishes the daily-closing files of an RT printer on its web server after every
// Z report: the closing document (and, when asked, the Z report text) in the folder
// of the day "yyyymmdd", in "demo" while training mode is on, or in a folder chosen
// to show files that are still to be sent ("da-inviare") or refused ("rifiutati").

#include "ClosingFiles.h"
#include "Printer.h"

#include <string>

class WebServer;

struct ClosingPublication {
  bool withZReportText = false;  // also publish "...ZREPORT.txt"
  std::string folder;            // empty: the day's folder; else "da-inviare" or "rifiutati"
};

// The closing that a Z report leaves, as the printer's files describe it.
DailyClosing ClosingOfZReport(const PrinterState& state, const ZReportEvent& event);

// Publishes the files the printer already holds (from its state file), then the
// closing of every later Z report in RT mode, keeping them in the printer's state.
// The web server must outlive the printer's use of it. Throws std::runtime_error for
// an unknown folder.
void PublishClosings(Printer& printer, WebServer& server, const ClosingPublication& publication);
