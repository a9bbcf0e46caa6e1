#pragma once
// The date of the last Z report of a printer, kept in a one-line file
// "<serial number>_ZrepDate.stv" so that it survives the process.

#include <string>

#include "runtime/DateTime.h"

// Full path of the file of a printer in a folder. Characters of the serial number
// that could leave the folder or are not plain letters and digits become "_".
std::string ZReportDateFilePath(const std::string& directory, const std::string& serialNumber);

// Writes the date as "yyyy-mm-dd", replacing an earlier file and creating the
// folder when missing. Throws std::runtime_error with the file system's reason.
void SaveZReportDate(const std::string& directory, const std::string& serialNumber, DateTime date);

// Midnight of the date in the file; no date (zero) when there is no file or its
// text is not a date, so that a lost or damaged file asks for a Z report.
DateTime LoadZReportDate(const std::string& directory, const std::string& serialNumber);
