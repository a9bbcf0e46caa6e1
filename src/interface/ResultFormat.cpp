#include "interface/ResultFormat.h"

#include <string_view>
#include <utility>

#include "documents/kPaymentDefs.h"
#include "runtime/Text.h"

namespace {

// Text that the fragment carries as it stands (numbers, serial numbers, codes).
// Quotes and apostrophes stay as they are; "&", "<" and ">" are still replaced
// so that an odd value cannot break the fragment's markup.
std::string MarkupSafe(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': safe += "&amp;"; break;
      case '<': safe += "&lt;"; break;
      case '>': safe += "&gt;"; break;
      default: safe += c;
    }
  }
  return safe;
}

std::string Tagged(std::string_view name, std::string_view value) {
  std::string element;
  element.reserve(2 * name.size() + value.size() + 5);
  element.append("<").append(name).append(">").append(value);
  element.append("</").append(name).append(">");
  return element;
}

// The Text element of a journal or Z report: one Line element per line of the
// text, each followed by lineEnd.
std::string TextLines(std::string_view text, std::string_view lineEnd) {
  std::string block = "<Text>";
  for (const std::string& line : SplitLines(text)) {
    block.append(Tagged("Line", EscapeXml(line))).append(lineEnd);
  }
  return block + "</Text>";
}

// Builds a fragment piece by piece. Pieces are separated by CR LF, except
// inside a joined run, where each piece after the first follows the previous
// one directly.
class FragmentBuilder {
public:
  void Markup(std::string_view piece) {
    if (!fText.empty() && !fJoinToPrevious) fText += "\r\n";
    fText += piece;
    fJoinToPrevious = fJoined;
  }

  void Plain(std::string_view name, std::string_view value) { Markup(Tagged(name, MarkupSafe(value))); }
  void Escaped(std::string_view name, std::string_view value) { Markup(Tagged(name, EscapeXml(value))); }
  void Boolean(std::string_view name, bool value) { Markup(Tagged(name, value ? "True" : "False")); }
  void Date(std::string_view name, const DateTime& value) { Markup(Tagged(name, value.ToIsoResult())); }
  void Amount(std::string_view name, const Currency& value) { Markup(Tagged(name, value.ToResultText())); }
  void Integer(std::string_view name, int32_t value) { Markup(Tagged(name, std::to_string(value))); }

  void BeginJoined() { fJoined = true; }

  // Appends the closing elements every fragment ends with and returns the
  // fragment. A joined run still open ends with the Error element.
  template <class TResult>
  std::string Finish(const TResult& result) {
    Boolean("Error", result.Error);
    fJoined = false;
    fJoinToPrevious = false;
    Escaped("ErrorText", result.ErrorText);
    Escaped("LogFileName", result.LogFileName);
    return std::move(fText);
  }

private:
  std::string fText;
  bool fJoined = false;
  bool fJoinToPrevious = false;
};

template <class TResult>
std::string ClosingOnly(const TResult& result) {
  FragmentBuilder fragment;
  return fragment.Finish(result);
}

void AddVat(FragmentBuilder& fragment, const _int_Vat& vat) {
  fragment.Markup("<VAT>");
  fragment.Integer("Index", vat.Index);
  fragment.Escaped("Code", vat.Code);
  fragment.Escaped("Description", vat.Description);
  fragment.Amount("Rate", vat.Rate);
  fragment.Markup("</VAT>");
}

void AddDepartment(FragmentBuilder& fragment, const _int_Dept& dept) {
  fragment.Markup("<Department>");
  fragment.Integer("Index", dept.Index);
  fragment.Escaped("Code", dept.Code);
  fragment.Escaped("Description", dept.Description);
  fragment.Plain("VATCode", dept.VatCode);
  fragment.Plain("SalesType", dept.SalesType);
  fragment.Escaped("EACode", dept.EACode);
  fragment.Escaped("EADescription", dept.EADescription);
  fragment.Plain("EAVATMode", dept.EAVATMode);
  fragment.Markup("</Department>");
}

}  // namespace

std::string FormatFragment(const _int_PRINTFR_result& result) {
  FragmentBuilder fragment;
  fragment.Date("ReceiptDateTime", result.ReceiptDateTime);
  fragment.Plain("ReceiptNumber", result.ReceiptNumber);
  fragment.Plain("DeviceSerialNumber", result.DeviceSerialNumber);
  fragment.Plain("EJNumber", result.EJNumber);
  fragment.Plain("EJClosingNumber", result.EJClosingNumber);
  fragment.Escaped("ServerSerialNumber", result.ServerSerialNumber);
  fragment.Escaped("ReceiptText", result.ReceiptText);
  fragment.Plain("ReceiptImage", result.ReceiptImage);
  fragment.Escaped("MessageText", result.MessageText);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_REPRINTFR_result& result) { return ClosingOnly(result); }

std::string FormatFragment(const _int_PRINTNFR_result& result) {
  FragmentBuilder fragment;
  fragment.Date("NFReceiptDateTime", result.NFReceiptDateTime);
  fragment.Plain("NFReceiptNumber", result.NFReceiptNumber);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_PRINTXR_result& result) {
  FragmentBuilder fragment;
  fragment.Date("XReportDateTime", result.XReportDateTime);
  fragment.Plain("XReportNumber", result.XReportNumber);
  fragment.Plain("DeviceSerialNumber", result.DeviceSerialNumber);
  fragment.Plain("ServerSerialNumber", result.ServerSerialNumber);
  fragment.Plain("EJNumber", result.EJNumber);
  fragment.Plain("EJClosingNumber", result.EJClosingNumber);
  return fragment.Finish(result);
}

// The identification elements stand on lines of their own; the totals, the
// report text and the Error element share one line.
std::string FormatFragment(const _int_PRINTZR_result& result) {
  FragmentBuilder fragment;
  fragment.Date("ZReportDateTime", result.ZReportDateTime);
  fragment.Plain("ZReportNumber", result.ZReportNumber);
  fragment.Plain("DeviceSerialNumber", result.DeviceSerialNumber);
  fragment.Plain("ServerSerialNumber", result.ServerSerialNumber);
  fragment.Plain("EJNumber", result.EJNumber);
  fragment.Plain("EJClosingNumber", result.EJClosingNumber);
  fragment.BeginJoined();
  fragment.Amount("GrandTotalAmount", result.GrandTotalAmount);
  fragment.Amount("GrandTotalRefundsAmount", result.GrandTotalRefundsAmount);
  fragment.Amount("GrandTotalVoidsAmount", result.GrandTotalVoidsAmount);
  fragment.Amount("DayTotalAmount", result.DayTotalAmount);
  fragment.Amount("DayDiscountsAmount", result.DayDiscountsAmount);
  fragment.Amount("DayReturnsAmount", result.DayReturnsAmount);
  fragment.Amount("DayRefundsAmount", result.DayRefundsAmount);
  fragment.Amount("DayVoidsAmount", result.DayVoidsAmount);
  fragment.Integer("DayReceiptsNumber", result.DayReceiptsNumber);
  fragment.Integer("DayRefundsNumber", result.DayRefundsNumber);
  fragment.Markup(TextLines(result.Text, ""));
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_DISPLAY_result& result) { return ClosingOnly(result); }
std::string FormatFragment(const _int_OPENDR_result& result) { return ClosingOnly(result); }
std::string FormatFragment(const _int_SET_result& result) { return ClosingOnly(result); }
std::string FormatFragment(const _int_CLOSE_result& result) { return ClosingOnly(result); }
std::string FormatFragment(const _int_SETVATTABLE_result& result) { return ClosingOnly(result); }
std::string FormatFragment(const _int_SETDEPTTABLE_result& result) { return ClosingOnly(result); }

std::string FormatFragment(const _int_GETSTATUS_result& result) {
  FragmentBuilder fragment;
  fragment.Boolean("DayOpened", result.DayOpened);
  fragment.Date("DateTime", result.DateTime);
  fragment.Boolean("PaperEnd", result.PaperEnd);
  fragment.Boolean("PaperNearEnd", result.PaperNearEnd);
  fragment.Boolean("CoverOpen", result.CoverOpen);
  fragment.Boolean("FiscalReceiptOpen", result.FiscalReceiptOpen);
  fragment.Boolean("ReceiptOpen", result.ReceiptOpen);
  fragment.Boolean("TrainingMode", result.TrainingMode);
  fragment.Escaped("FirmwareVersion", result.FirmwareVersion);
  fragment.Escaped("SerialNumber", result.SerialNumber);
  fragment.Escaped("FiscalMode", result.FiscalMode);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_SETDATETIME_result& result) {
  FragmentBuilder fragment;
  fragment.Date("DateTime", result.DateTime);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_OPEN_result& result) {
  FragmentBuilder fragment;
  fragment.Integer("Handle", result.Handle);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_GETDRSTATUS_result& result) {
  FragmentBuilder fragment;
  fragment.Boolean("IsOpen", result.IsOpen);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_EJREPORT_result& result) {
  FragmentBuilder fragment;
  fragment.Markup(TextLines(result.Text, "\r\n"));
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_GETVATTABLE_result& result) {
  FragmentBuilder fragment;
  fragment.Markup("<VATTable>");
  for (const _int_Vat& vat : result.VATTable) AddVat(fragment, vat);
  fragment.Markup("</VATTable>");
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_GETDEPTTABLE_result& result) {
  FragmentBuilder fragment;
  fragment.Markup("<DeptTable>");
  for (const _int_Dept& dept : result.DeptTable) AddDepartment(fragment, dept);
  fragment.Markup("</DeptTable>");
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_PAY_result& result) {
  FragmentBuilder fragment;
  fragment.Escaped("DeviceId", result.DeviceId);
  fragment.Date("PaymentDateTime", result.PaymentDateTime);
  fragment.Escaped("PaymentNumber", result.PaymentNumber);
  fragment.Amount("PaymentAmount", result.PaymentAmount);
  fragment.Escaped("PaymentCurrency", result.PaymentCurrency);
  fragment.Amount("ExchangeRate", result.ExchangeRate);
  fragment.Amount("PaymentAmountCurrency", result.PaymentAmountCurrency);
  fragment.Escaped("MaskedPAN", result.MaskedPAN);
  fragment.Plain("PaymentNetwork", DecodeNetwork(result.PaymentNetwork));
  fragment.Plain("TransactionType", DecodeTransactionType(result.TransactionType));
  fragment.Escaped("AuthCode", result.AuthCode);
  fragment.Escaped("TraceAuditId", result.TraceAuditId);
  fragment.Escaped("RawResponse", result.RawResponse);
  fragment.Escaped("ReceiptText", result.ReceiptText);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_GETLOTTERYRCPTSTATUS_result& result) {
  FragmentBuilder fragment;
  fragment.Boolean("CorrectlySent", result.CorrectlySent);
  fragment.Plain("StatusCode", result.StatusCode);
  fragment.Plain("StatusDescription", result.StatusDescription);
  fragment.Plain("ReferenceId", result.ReferenceId);
  return fragment.Finish(result);
}

std::string FormatFragment(const _int_GETEJFILES_result& result) {
  FragmentBuilder fragment;
  fragment.Integer("FilesCount", result.FilesCount);
  return fragment.Finish(result);
}
