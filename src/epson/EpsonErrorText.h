#pragma once
// The Italian texts of the printer's error codes.

#include <string>

namespace epson {

// The text of an error code of an error reply; "ERRORE SCONOSCIUTO" for a code
// the printer does not document.
std::string GetPrinterErrorText(int code);

}  // namespace epson
