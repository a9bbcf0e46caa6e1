// The library's exported commands. Each runs the command object of its name
// through the export frame; the prototypes (with their export attribute) are in
// the public header.

#include "QNRP_REZIDAZE_10.h"
#include "interface/ExportFrame.h"
#include "interface/kFiscalPrinterCommands.h"

extern "C" {

int16_t QNRP_CALL PRINTFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_PRINTFR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL PRINTXR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_PRINTXR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL PRINTZR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_PRINTZR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL PRINTNFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_PRINTNFR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL DISPLAY(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_DISPLAY>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL OPENDR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_OPENDR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETSTATUS>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL SETDATETIME(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_SETDATETIME>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL OPEN(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_OPEN>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL CLOSE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_CLOSE>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETDRSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETDRSTATUS>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL SET(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_SET>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL EJREPORT(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_EJREPORT>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETVATTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETVATTABLE>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL SETVATTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_SETVATTABLE>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETDEPTTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETDEPTTABLE>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL SETDEPTTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_SETDEPTTABLE>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL PAY(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_PAY>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL REPRINTFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_REPRINTFR>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETLOTTERYRCPTSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETLOTTERYRCPTSTATUS>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL GETEJFILES(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunExport<kFiscalPrinterWrapper_GETEJFILES>(aXml, aOutput, aErrorMessage);
}
int16_t QNRP_CALL VERSION(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) {
  return RunVersion(aXml, aOutput, aErrorMessage);
}

}  // extern "C"
