#include "fpsim/ClosingFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Every text between <tag> and </tag>, in document order.
std::vector<std::string> Elements(const std::string& xml, const std::string& tag) {
  std::vector<std::string> values;
  const std::string open = "<" + tag + ">", close = "</" + tag + ">";
  for (std::size_t at = xml.find(open); at != std::string::npos; at = xml.find(open, at + 1)) {
    const std::size_t start = at + open.size();
    values.push_back(xml.substr(start, xml.find(close, start) - start));
  }
  return values;
}

Cents ToCents(const std::string& text) { return static_cast<Cents>(std::llround(std::stod(text) * 100)); }

// What a reader of the closing document adds up as the gross sales of one row:
// the taxable sales less refunds and voids, plus the tax, plus the gross refunds and voids.
Cents ReaderSales(const std::string& riepilogo) {
  const Cents amount = ToCents(Elements(riepilogo, "Ammontare").at(0));
  const Cents refunds = ToCents(Elements(riepilogo, "TotaleAmmontareResi").at(0));
  const Cents voids = ToCents(Elements(riepilogo, "TotaleAmmontareAnnulli").at(0));
  const auto rates = Elements(riepilogo, "AliquotaIVA");
  const Cents rate = rates.empty() ? 0 : ToCents(rates[0]);
  const Cents tax = rates.empty() ? 0 : ToCents(Elements(riepilogo, "Imposta").at(0));
  const auto gross = [rate](Cents net) { return (net * (10000 + rate) + 5000) / 10000; };
  return amount - voids - refunds + tax + gross(voids) + gross(refunds);
}

DailyClosing Closing() {
  DailyClosing closing;
  closing.serial = "99MEX012345";
  closing.number = 42;
  closing.when = DateTime::Encode(2021, 3, 15, 23, 55, 7);
  closing.utcOffsetMinutes = 60;
  closing.rows = {{2200, "", 13420, 1220, 0}, {0, "N4", 500, 0, 0}};
  closing.documents = 3;
  return closing;
}

TEST(ClosingFiles, NamesStartWithSerialAndTimeOfTheClosing) {
  EXPECT_EQ(ClosingXmlName(Closing()), "99MEX012345-20210315T235507-0042-CORRISP.xml");
  EXPECT_EQ(ClosingZReportName(Closing()), "99MEX012345-20210315T235507-0042-ZREPORT.txt");
}

TEST(ClosingFiles, DocumentCarriesTheFieldsOfTheDailyClosingLayout) {
  const std::string xml = ClosingXml(Closing());
  EXPECT_EQ(Elements(xml, "Progressivo"), std::vector<std::string>{"42"});
  EXPECT_EQ(Elements(xml, "DataOraRilevazione"), std::vector<std::string>{"2021-03-15T23:55:07+01:00"});
  const auto rows = Elements(xml, "Riepilogo");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(Elements(rows[0], "AliquotaIVA"), std::vector<std::string>{"22.00"});
  EXPECT_EQ(Elements(rows[0], "Imposta"), std::vector<std::string>{"22.00"});
  EXPECT_EQ(Elements(rows[0], "Ammontare"), std::vector<std::string>{"110.00"});
  EXPECT_EQ(Elements(rows[0], "TotaleAmmontareResi"), std::vector<std::string>{"10.00"});
  EXPECT_EQ(Elements(rows[0], "TotaleAmmontareAnnulli"), std::vector<std::string>{"0.00"});
  EXPECT_TRUE(Elements(rows[0], "Natura").empty());
  EXPECT_EQ(Elements(rows[1], "Natura"), std::vector<std::string>{"N4"});
  EXPECT_TRUE(Elements(rows[1], "IVA").empty());
  EXPECT_EQ(Elements(rows[1], "Ammontare"), std::vector<std::string>{"5.00"});
  EXPECT_EQ(Elements(xml, "DatiRT").size(), 1u);
}

TEST(ClosingFiles, NegativeOffsetIsWrittenWithItsSign) {
  DailyClosing closing = Closing();
  closing.utcOffsetMinutes = -330;
  EXPECT_EQ(Elements(ClosingXml(closing), "DataOraRilevazione"), std::vector<std::string>{"2021-03-15T23:55:07-05:30"});
}

TEST(ClosingFiles, ReaderGetsTheGrossSalesBack) {
  struct Case {
    int rate;
    Cents sales, refunds, voids;
  } cases[] = {
      {2200, 13420, 1220, 0}, {2200, 100, 0, 0},   {2200, 1, 0, 0},       {1000, 99999, 0, 1100},
      {400, 12345, 678, 910}, {500, 0, 0, 0},      {2200, 123456789, 0, 0}, {2200, 1000, 1000, 0},
  };
  for (const Case& c : cases) {
    DailyClosing closing = Closing();
    closing.rows = {{c.rate, "", c.sales, c.refunds, c.voids}};
    const std::string row = Elements(ClosingXml(closing), "Riepilogo").at(0);
    // Refunds and voids travel net of VAT; turning them back to gross may move a cent.
    EXPECT_NEAR(ReaderSales(row), c.sales, (c.refunds != 0) + (c.voids != 0)) << c.rate << " " << c.sales;
    if (c.refunds == 0 && c.voids == 0) {
      EXPECT_EQ(ReaderSales(row), c.sales);
    }
  }
}

TEST(ClosingFiles, NetOfVatRoundsHalvesAwayFromZero) {
  EXPECT_EQ(NetOfVat(12200, 2200), 10000);
  EXPECT_EQ(NetOfVat(100, 2200), 82);   // 81.967...
  EXPECT_EQ(NetOfVat(-100, 2200), -82);
  EXPECT_EQ(NetOfVat(105, 1000), 95);   // 95.45...
  EXPECT_EQ(NetOfVat(500, 0), 500);
  EXPECT_EQ(PlainAmount(-305), "-3.05");
  EXPECT_EQ(PlainAmount(123456), "1234.56");
}

}  // namespace
