#include "ClosingPublisher.h"

#include "ReceiptLayout.h"
#include "WebServer.h"

#include <ctime>
#include <stdexcept>

namespace {

int HostUtcOffsetMinutes() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int>(local.tm_gmtoff / 60);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

}  // namespace

DailyClosing ClosingOfZReport(const PrinterState& state, const ZReportEvent& event) {
  DailyClosing closing;
  closing.serial = state.serialNumber;
  closing.number = event.number;
  closing.when = event.when;
  closing.utcOffsetMinutes = HostUtcOffsetMinutes();
  closing.documents = event.day.fiscalDocuments;
  for (size_t slot = 0; slot < event.day.vat.size(); ++slot) {
    const VatTotals& vat = event.day.vat[slot];
    if (vat.sales == 0 && vat.refunds == 0 && vat.voids == 0) continue;
    const int index = static_cast<int>(slot);
    closing.rows.push_back(ClosingRow{RateOfSlot(state, index), NatureOfSlot(index), vat.sales, vat.refunds, vat.voids});
  }
  return closing;
}

void PublishClosings(Printer& printer, WebServer& server, const ClosingPublication& publication) {
  if (!publication.folder.empty() && publication.folder != "da-inviare" && publication.folder != "rifiutati")
    throw std::runtime_error("The closing files go to the day's folder, da-inviare or rifiutati, not " +
                             publication.folder);
  for (const PublishedFile& file : printer.state.publishedFiles) server.Publish(file.folder, file.name, file.content);
  printer.OnZReport([&printer, &server, publication](const Printer&, const ZReportEvent& event) {
    PrinterState& state = printer.state;
    if (state.fiscalMode != "RT") return;
    const DailyClosing closing = ClosingOfZReport(state, event);
    const std::string folder = state.Training()            ? std::string("demo")
                               : publication.folder.empty() ? event.when.Format("yyyymmdd")
                                                            : publication.folder;
    std::vector<PublishedFile> files = {{folder, ClosingXmlName(closing), ClosingXml(closing)}};
    if (publication.withZReportText) files.push_back({folder, ClosingZReportName(closing), JoinLines(event.text)});
    for (PublishedFile& file : files) {
      server.Publish(file.folder, file.name, file.content);
      state.publishedFiles.push_back(std::move(file));
    }
  });
}
