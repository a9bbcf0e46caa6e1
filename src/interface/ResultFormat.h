#pragma once
// Turns a command's result record into what the export answers: the result
// fragment, the error text and the result code.
//
// A fragment is a flat run of elements (no root, no declaration) separated by
// CR LF, ending with Error, ErrorText and LogFileName. Booleans read "True" or
// "False", date-times "2021-06-15T10:20:30.000Z", amounts "22" or "5.5".

#include <cstdint>
#include <string>

#include "interface/ResultRecords.h"

std::string FormatFragment(const _int_PRINTFR_result& result);
std::string FormatFragment(const _int_REPRINTFR_result& result);
std::string FormatFragment(const _int_PRINTNFR_result& result);
std::string FormatFragment(const _int_PRINTXR_result& result);
std::string FormatFragment(const _int_PRINTZR_result& result);
std::string FormatFragment(const _int_DISPLAY_result& result);
std::string FormatFragment(const _int_OPENDR_result& result);
std::string FormatFragment(const _int_SET_result& result);
std::string FormatFragment(const _int_CLOSE_result& result);
std::string FormatFragment(const _int_SETVATTABLE_result& result);
std::string FormatFragment(const _int_SETDEPTTABLE_result& result);
std::string FormatFragment(const _int_GETSTATUS_result& result);
std::string FormatFragment(const _int_SETDATETIME_result& result);
std::string FormatFragment(const _int_OPEN_result& result);
std::string FormatFragment(const _int_GETDRSTATUS_result& result);
std::string FormatFragment(const _int_EJREPORT_result& result);
std::string FormatFragment(const _int_GETVATTABLE_result& result);
std::string FormatFragment(const _int_GETDEPTTABLE_result& result);
std::string FormatFragment(const _int_PAY_result& result);
std::string FormatFragment(const _int_GETLOTTERYRCPTSTATUS_result& result);
std::string FormatFragment(const _int_GETEJFILES_result& result);

// The three answers of an export, in UTF-8.
struct FormattedResult {
  std::string Output;        // the fragment
  std::string ErrorMessage;  // ErrorText as it stands, not escaped
  int16_t Result = 0;        // -1 when Error is set, 0 otherwise
};

template <class TResult>
FormattedResult FormatResult(const TResult& result) {
  return {FormatFragment(result), result.ErrorText, static_cast<int16_t>(result.Error ? -1 : 0)};
}
