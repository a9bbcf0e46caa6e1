// Reports and journal: the Z report read back line by line as the driver reads it and
// parsed by the driver's rules, the journal read and print, reprints, lottery status,
// and the daily-closing files an RT Z report publishes.

#include "FiscalPrinterFixture.h"
#include "fpsim/ClosingPublisher.h"
#include "fpsim/StateIO.h"
#include "fpsim/WebServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace fiscal_test;

namespace {

// Reads a journal kind of today to memory the way the driver does: mode "0" first,
// "1" afterwards, RD 17-62 per line, until the reply code 3102.
std::vector<std::string> ReadJournal(FiscalPrinter& fp, char kind) {
  const std::string today = fp.Today("ddmmyy");
  const std::string request = std::string("011") + kind + today + today;
  std::vector<std::string> lines;
  for (int guard = 0; guard < 10000; ++guard) {
    const Reply reply = fp.Ok("3103", request + (lines.empty() ? "0" : "1") + "00");
    if (reply.code == "3102") return lines;
    EXPECT_EQ(reply.code, "3103");
    lines.push_back(Rd(reply, 17, 62));
  }
  ADD_FAILURE() << "the journal read never ended";
  return lines;
}

// The values a driver takes from a Z report text: the last word of the line, points
// removed, comma as decimal separator; the first label that the line contains decides.
struct ZValues {
  long long dayTotal = 0, grandTotal = 0, dayRefunds = 0, dayVoids = 0, discounts = 0, returns = 0;
  long long receipts = 0, refundsCount = 0, number = 0;
  std::string date;
};

long long Cents(const std::string& line) {
  std::string word = line.substr(line.find_last_of(' ', line.find_last_not_of(' ')) + 1);
  word.erase(word.find_last_not_of(' ') + 1);
  word.erase(std::remove(word.begin(), word.end(), '.'), word.end());
  const size_t comma = word.find(',');
  if (comma == std::string::npos) return std::stoll(word) * 100;
  return std::stoll(word.substr(0, comma)) * 100 + std::stoll(word.substr(comma + 1));
}

std::vector<ZValues> ParseZReports(const std::vector<std::string>& lines) {
  std::vector<ZValues> reports;
  ZValues current;
  std::string previous;
  for (const std::string& line : lines) {
    if (line == previous) continue;
    previous = line;
    const auto has = [&](const char* label) { return line.find(label) != std::string::npos; };
    if (has("RAPPORTO   FISCALE")) current = ZValues{};
    else if (has("SIGILLO FISCALE: ")) reports.push_back(current);
    else if (has("TOTALE GIORNO  ")) current.dayTotal = Cents(line);
    else if (has("GRAN TOTALE  ")) current.grandTotal = Cents(line);
    else if (has("TOTALE SCONTI")) current.discounts = Cents(line);
    else if (has("TOTALE RESI")) current.returns = Cents(line);
    else if (has("NUMERO SCONTRINI NOTE di CREDITO")) current.refundsCount = Cents(line) / 100;
    else if (has("TOTALE GIORNO NOTE di CREDITO") || has("TOTALE GIORNO RESO MERCE")) current.dayRefunds = Cents(line);
    else if (has("TOTALE GIORNO ANNULLAMENTI")) current.dayVoids = Cents(line);
    else if (has("SCONTRINI FISCALI") || has("NUMERO DOCUMENTI COMMERCIALI")) current.receipts = Cents(line) / 100;
    else if (has("NUMERO AZZERAMENTI")) current.number = Cents(line) / 100;
    else if (line.size() >= 15 && line[2] == '-' && line[5] == '-' && line.substr(8, 2) == "  " && line[12] == ':')
      current.date = line.substr(0, 15);
  }
  return reports;
}

void MfSetup(PrinterState& state) { state.fiscalMode = "MF"; state.firmware = "1.00"; }

TEST(ReportCommands, MfZReportTextCarriesTheValuesWhereTheDriverReadsThem) {
  FiscalPrinter fp(MfSetup);
  fp.Ok("1085", "01");
  fp.Ok("1080", Item("A", 1000, 123456));
  fp.Ok("1083", Adjustment("SCONTO", 456, '1'));
  fp.Ok("1084", Payment("CONTANTI", 0, "000"));
  fp.Ok("1087", "01");
  fp.Ok("1078", "0140001" + T("PRATICA DI RESO 1", 40));
  fp.Ok("1081", Item("A", 1000, 300));
  fp.Ok("1087", "01");
  const std::string now = fp.printer.Now().Format("dd-mm-yy  hh:nn");
  fp.Ok("3001", "01");
  fp.Sale({Item("B", 1000, 1000)});
  fp.Ok("3001", "01");

  const std::vector<std::string> lines = ReadJournal(fp, '5');
  for (const std::string& line : lines) EXPECT_EQ(line.size(), 46u);
  const std::vector<ZValues> reports = ParseZReports(lines);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].number, 1);
  EXPECT_EQ(reports[0].dayTotal, 123000);
  EXPECT_EQ(reports[0].discounts, 456);
  EXPECT_EQ(reports[0].receipts, 1);
  EXPECT_EQ(reports[0].refundsCount, 1);
  EXPECT_EQ(reports[0].dayRefunds, 300);
  EXPECT_EQ(reports[0].grandTotal, 123000);
  EXPECT_EQ(reports[0].date.substr(0, 10), now.substr(0, 10));
  EXPECT_EQ(reports[1].number, 2);
  EXPECT_EQ(reports[1].dayTotal, 1000);
  EXPECT_EQ(reports[1].grandTotal, 124000);
  EXPECT_EQ(reports[1].dayRefunds, 0);

  // The closing starts a new day: numbers and totals start again, the Z number grows.
  EXPECT_EQ(Rd(fp.Ok("1070", "01"), 3, 6), "0001");
  EXPECT_EQ(Rd(fp.Ok("2052"), 15, 18), "0002");
  EXPECT_EQ(fp.printer.state.day.sales, 0);
  EXPECT_EQ(fp.printer.state.day.fiscalDocuments, 0);
}

TEST(ReportCommands, JournalReadFollowsItsOwnSequence) {
  FiscalPrinter fp;
  fp.Sale({Item("A", 1000, 100)});
  fp.Ok("2001", "01");
  EXPECT_EQ(fp.printer.state.day.sales, 100) << "an X report closes nothing";
  EXPECT_TRUE(fp.paper.Shows("LETTURA   GIORNALIERA"));
  EXPECT_EQ(ReadJournal(fp, '6').size(), fp.printer.state.journal.Documents().back().lines.size());
  EXPECT_TRUE(ReadJournal(fp, '5').empty()) << "an X report is not a Z report";
  const std::string today = fp.Today("ddmmyy");
  const std::string receipts = "0111" + today + today;
  EXPECT_EQ(fp.Run("3103", receipts + "100").error, 11) << "next line without a first";
  fp.Ok("3103", receipts + "000");
  EXPECT_EQ(fp.Run("3103", "0112" + today + today + "100").error, 11) << "next line of another request";
  const std::vector<std::string> lines = ReadJournal(fp, '1');
  EXPECT_EQ(lines, fp.printer.state.journal.Documents().front().lines);
  EXPECT_TRUE(ReadJournal(fp, '2').empty()) << "no invoices: the first answer is 3102";

  const struct {
    std::string data;
    int error;
  } bad[] = {
      {"0117" + today + today + "000", 13},  // kind
      {"0121" + today + today + "000", 13},  // destination
      {"0111320121" + today + "000", 13},    // date
      {"0111" + today + today + "200", 13},  // mode
      {"0101" + today + "010120" + "000", 12},  // printing nothing
  };
  for (const auto& c : bad) EXPECT_EQ(fp.Run("3103", c.data).error, c.error) << c.data;

  fp.printer.state.paper = PaperLevel::End;
  EXPECT_EQ(fp.Run("3103", "0101" + today + today + "000").error, 2) << "printing the journal needs paper";
  EXPECT_EQ(ReadJournal(fp, '1'), lines) << "reading it does not";
}

TEST(ReportCommands, PrintedCopiesAreNotFiledAgain) {
  FiscalPrinter fp;
  fp.Sale({Item("A", 1000, 100)});
  fp.Sale({Item("B", 1000, 200)});
  const size_t filed = fp.printer.state.journal.Documents().size();
  const std::string today = fp.Today("ddmmyy");
  const struct {
    std::string code, data, shows;
  } cases[] = {
      {"3103", "0101" + today + today + "000", "COPIA GIORNALE ELETTRONICO"},
      {"1047", "01", "*** COPIA ***"},
      {"3098", "01" + today + "0002" + "0002", "*** COPIA ***"},
  };
  for (const auto& c : cases) {
    fp.paper.lines.clear();
    fp.Ok(c.code, c.data);
    EXPECT_TRUE(fp.paper.Shows(c.shows)) << c.code;
    EXPECT_TRUE(fp.paper.Shows(c.code == "1047" || c.code == "3098" ? "DOC.N. 0001-0002" : "DOC.N. 0001-0001"))
        << c.code;
  }
  EXPECT_EQ(fp.printer.state.journal.Documents().size(), filed);
  EXPECT_EQ(fp.Run("3098", "01" + today + "0005" + "0009").error, 12);
  EXPECT_EQ(fp.Run("3098", "0102" + today + "0001" + "0001" + "000").error, 12) << "no invoices";
}

TEST(ReportCommands, LotteryStatusFollowsTheDaysClosing) {
  FiscalPrinter fp;
  fp.Sale({Item("A", 1000, 100)}, "ABCD1234");
  fp.Sale({Item("B", 1000, 100)});
  const std::string today = fp.Today("ddmmyy");
  const auto status = [&](const std::string& serial, const char* number) {
    return fp.Ok("9218", T(serial, 8) + "0001" + number + today + "00");
  };
  EXPECT_EQ(Rd(status("99MEX012345", "0001"), 23, 24), "01") << "to be sent with the closing";
  EXPECT_EQ(Rd(status("99MEX012345", "0002"), 23, 24), "05") << "no lottery code";
  fp.Ok("3001", "01");
  const Reply sent = status("99MEX012345", "0001");
  EXPECT_EQ(Rd(sent, 1, 22), "99MEX012" "0001" "0001" + today);
  EXPECT_EQ(Rd(sent, 23, 24), "00");
  EXPECT_EQ(Rd(sent, 25, 29), "00000");
  EXPECT_NE(Rd(sent, 30, 79), std::string(50, ' '));
  EXPECT_EQ(Rd(status("11OTHER0", "0001"), 23, 24), "05");
  EXPECT_EQ(fp.Run("9218", T("99MEX012", 8) + "0001" + "0001" + "320121" + "00").error, 13);
}

TEST(ReportCommands, RtZReportPublishesTheDailyClosingFiles) {
  const struct {
    const char* name;
    std::function<void(PrinterState&)> setup;
    ClosingPublication publication;
    std::string folder;  // empty: nothing published
  } cases[] = {
      {"day folder", {}, {true, ""}, "day"},
      {"to be sent", {}, {false, "da-inviare"}, "da-inviare"},
      {"training", [](PrinterState& s) { s.parameters[Param::kTraining] = '1'; }, {false, ""}, "demo"},
      {"MF mode", MfSetup, {true, ""}, ""},
  };
  for (const auto& c : cases) {
    FiscalPrinter fp(c.setup);
    WebServer server(WebServerSettings{});
    PublishClosings(fp.printer, server, c.publication);
    fp.Sale({Item("A", 1000, 1220)});
    fp.Ok("1078", "0140001REFUND 0001 0001 " + fp.Today() + " 99MEX012345");
    fp.Ok("1081", Item("A", 1000, 122));
    fp.Ok("1087", "01");
    fp.Sale({Item("B", 1000, 1220)});
    if (fp.printer.state.fiscalMode == "RT") fp.Ok("1078", "0140001VOID 0001 0003 " + fp.Today() + " 99MEX012345");
    const std::string stamp = fp.printer.Now().Format("yyyymmdd");
    fp.Ok("3001", "01");

    const std::string folder = c.folder == "day" ? stamp : c.folder;
    const WebServer::Page root = server.Get("/www/dati-rt/");
    if (c.folder.empty()) {
      EXPECT_EQ(root.body.find("<a href=\"" + stamp + "/\">"), std::string::npos) << c.name;
      EXPECT_EQ(server.Get("/www/dati-rt/da-inviare/").body.find("99MEX012345"), std::string::npos) << c.name;
      continue;
    }
    const WebServer::Page listing = server.Get("/www/dati-rt/" + folder + "/");
    ASSERT_EQ(listing.status, 200u) << c.name;
    const std::string prefix = "<a href=\"99MEX012345-" + stamp + "T";
    const size_t link = listing.body.find(prefix);
    ASSERT_NE(link, std::string::npos) << c.name;
    const size_t nameStart = link + 9;
    const std::string xmlName = listing.body.substr(nameStart, listing.body.find('"', nameStart) - nameStart);
    EXPECT_TRUE(xmlName.ends_with("-0001-CORRISP.xml")) << xmlName;
    EXPECT_EQ(listing.body.find("ZREPORT.txt") != std::string::npos, c.publication.withZReportText) << c.name;

    const std::string xml = server.Get("/www/dati-rt/" + folder + "/" + xmlName).body;
    EXPECT_NE(xml.find("<Progressivo>1</Progressivo>"), std::string::npos) << c.name;
    if (folder == "demo") continue;  // training documents leave the day's totals empty
    EXPECT_NE(xml.find("<IVA><AliquotaIVA>22.00</AliquotaIVA><Imposta>1.98</Imposta></IVA>"), std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<Ammontare>20.00</Ammontare>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<TotaleAmmontareResi>1.00</TotaleAmmontareResi>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<TotaleAmmontareAnnulli>10.00</TotaleAmmontareAnnulli>"), std::string::npos) << xml;
    if (c.publication.withZReportText) {
      const std::string zName = xmlName.substr(0, xmlName.size() - 11) + "ZREPORT.txt";
      std::istringstream text(server.Get("/www/dati-rt/" + folder + "/" + zName).body);
      // A reader takes each amount from the last 16 columns of its line.
      std::string line, sales, refunds, voids;
      while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string tail = line.size() > 16 ? line.substr(line.size() - 16) : line;
        const std::string value = tail.substr(tail.find_first_not_of(' '));
        if (line.starts_with("TOTALE GIORNO VENDITE")) sales = value;
        if (line.starts_with("TOTALE GIORNO RESO MERCE")) refunds = value;
        if (line.starts_with("TOTALE GIORNO ANNULLAMENTI")) voids = value;
      }
      EXPECT_EQ(sales, "24,40");
      EXPECT_EQ(refunds, "1,22");
      EXPECT_EQ(voids, "12,20");
    }
  }
}

TEST(ReportCommands, PublishedClosingsSurviveAPowerCycle) {
  StateWriter saved;
  std::string listingBefore;
  {
    FiscalPrinter fp;
    WebServer server(WebServerSettings{});
    PublishClosings(fp.printer, server, {true, "rifiutati"});
    fp.Sale({Item("A", 1000, 100)});
    fp.Ok("3001", "01");
    listingBefore = server.Get("/www/dati-rt/rifiutati/").body;
    fp.printer.state.Serialize(saved);
  }
  FiscalPrinter fp;
  StateReader reader(saved.Contents());
  fp.printer.state.Serialize(reader);
  WebServer server(WebServerSettings{});
  PublishClosings(fp.printer, server, {});
  EXPECT_NE(listingBefore.find("CORRISP.xml"), std::string::npos);
  EXPECT_EQ(server.Get("/www/dati-rt/rifiutati/").body, listingBefore);
}

}  // namespace
