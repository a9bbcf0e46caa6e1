#pragma once
// The files an RT printer keeps for each daily closing: the document for the tax
// authority ("...CORRISP.xml", daily-closing layout) and the Z report text
// ("...ZREPORT.txt"), and their names.

#include "PrinterState.h"
#include "runtime/DateTime.h"

#include <string>
#include <vector>

// The day's amounts of one VAT rate, or of one nature code for the zero-rate
// operations, as gross amounts (VAT included) of the documents of the day.
struct ClosingRow {
  int rate = 0;        // hundredths of a percent (2200 for 22 %); 0 for a nature row
  std::string nature;  // "N1" ... "N6" for a zero rate, empty otherwise
  Cents sales = 0;     // sale documents
  Cents refunds = 0;   // refund documents
  Cents voids = 0;     // void documents
};

struct DailyClosing {
  std::string serial;         // the printer's serial number
  int number = 0;             // number of the Z report
  DateTime when;              // printer clock at the closing
  int utcOffsetMinutes = 0;   // offset of the printer clock from UTC
  std::vector<ClosingRow> rows;
  int documents = 0;          // commercial documents of the day
};

// "<serial>-<yyyymmdd>T<hhnnss>-<NNNN>", the common start of both file names.
std::string ClosingFileStem(const DailyClosing& closing);
std::string ClosingXmlName(const DailyClosing& closing);      // stem + "-CORRISP.xml"
std::string ClosingZReportName(const DailyClosing& closing);  // stem + "-ZREPORT.txt"

// The daily-closing document. Per row: Ammontare is the taxable amount of the sales,
// TotaleAmmontareResi and TotaleAmmontareAnnulli those of refunds and voids, and
// Imposta the tax on the balance (sales less refunds and voids), so that a reader
// that adds the tax of refunds and voids back gets the gross sales again.
std::string ClosingXml(const DailyClosing& closing);

// Amount net of VAT at the rate (hundredths of a percent), rounded to the cent,
// halves away from zero.
Cents NetOfVat(Cents gross, int rate);
// "1234.50", "-3.00": point separator, two decimals.
std::string PlainAmount(Cents amount);
