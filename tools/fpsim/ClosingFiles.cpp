#include "ClosingFiles.h"

#include <cstdio>
#include <cstdlib>

namespace {

std::string Element(const char* name, const std::string& value) {
  return std::string("<") + name + ">" + value + "</" + name + ">";
}

std::string IsoWithOffset(DateTime when, int offsetMinutes) {
  const int magnitude = std::abs(offsetMinutes);
  char offset[8];
  std::snprintf(offset, sizeof offset, "%c%02d:%02d", offsetMinutes < 0 ? '-' : '+', magnitude / 60 % 100,
                magnitude % 60);
  return when.Format("yyyy-mm-ddThh:nn:ss") + offset;
}

std::string RowXml(const ClosingRow& row) {
  const Cents salesNet = NetOfVat(row.sales, row.rate);
  const Cents refundsNet = NetOfVat(row.refunds, row.rate);
  const Cents voidsNet = NetOfVat(row.voids, row.rate);
  std::string xml = "<Riepilogo>";
  if (row.nature.empty()) {
    const Cents balance = row.sales - row.refunds - row.voids;
    const Cents tax = balance - (salesNet - refundsNet - voidsNet);
    xml += "<IVA>" + Element("AliquotaIVA", PlainAmount(row.rate)) + Element("Imposta", PlainAmount(tax)) + "</IVA>";
  } else {
    xml += Element("Natura", row.nature);
  }
  xml += Element("Ammontare", PlainAmount(salesNet));
  xml += Element("ImportoParziale", PlainAmount(salesNet - refundsNet - voidsNet));
  xml += Element("TotaleAmmontareResi", PlainAmount(refundsNet));
  xml += Element("TotaleAmmontareAnnulli", PlainAmount(voidsNet));
  return xml + "</Riepilogo>";
}

}  // namespace

Cents NetOfVat(Cents gross, int rate) {
  const int64_t numerator = gross * 10000;
  const int64_t denominator = 10000 + rate;
  int64_t net = numerator / denominator;
  if (std::llabs(numerator % denominator) * 2 >= denominator) net += gross < 0 ? -1 : 1;
  return net;
}

std::string PlainAmount(Cents amount) {
  const int64_t magnitude = std::llabs(amount);
  char text[32];
  std::snprintf(text, sizeof text, "%s%lld.%02lld", amount < 0 ? "-" : "", static_cast<long long>(magnitude / 100),
                static_cast<long long>(magnitude % 100));
  return text;
}

std::string ClosingFileStem(const DailyClosing& closing) {
  char number[8];
  std::snprintf(number, sizeof number, "%04d", closing.number % 10000);
  return closing.serial + "-" + closing.when.Format("yyyymmddThhnnss") + "-" + number;
}

std::string ClosingXmlName(const DailyClosing& closing) { return ClosingFileStem(closing) + "-CORRISP.xml"; }

std::string ClosingZReportName(const DailyClosing& closing) { return ClosingFileStem(closing) + "-ZREPORT.txt"; }

std::string ClosingXml(const DailyClosing& closing) {
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<n1:DatiCorrispettivi xmlns:n1=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/corrispettivi/dati/v1.0\""
      " versione=\"COR10\">\n";
  xml += "<Trasmissione>" + Element("Progressivo", std::to_string(closing.number)) + Element("Formato", "COR10") +
         "<Dispositivo>" + Element("Tipo", "RT") + Element("IdDispositivo", closing.serial) +
         "</Dispositivo></Trasmissione>\n";
  xml += Element("DataOraRilevazione", IsoWithOffset(closing.when, closing.utcOffsetMinutes)) + "\n";
  xml += "<DatiRT>\n";
  for (const ClosingRow& row : closing.rows) xml += RowXml(row) + "\n";
  xml += "<Totali>" + Element("NumeroDocCommerciali", std::to_string(closing.documents)) + "</Totali>\n";
  xml += "</DatiRT>\n</n1:DatiCorrispettivi>\n";
  return xml;
}
