#include "fpsim/Journal.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

DateTime Day(int day, int hour = 12) { return DateTime::Encode(2021, 3, day, hour); }

Journal ThreeDays() {
  Journal journal;
  journal.Append(DocumentType::Sale, Day(14), 1, 7, {"SALE 14"});
  journal.Append(DocumentType::Refund, Day(15, 9), 2, 8, {"REFUND 15"});
  journal.Append(DocumentType::Sale, Day(15, 23), 3, 8, {"SALE 15 A", "SALE 15 B"});
  journal.Append(DocumentType::ZReport, Day(15, 23), 8, 8, {"Z 15"});
  journal.Append(DocumentType::Void, Day(16, 0), 1, 9, {"VOID 16"});
  return journal;
}

TEST(Journal, LinesArePaddedOrCutToTheJournalWidth) {
  Journal journal;
  const auto& document = journal.Append(DocumentType::Sale, Day(1), 1, 1, {"short", std::string(60, 'x')});
  EXPECT_EQ(document.lines[0], "short" + std::string(41, ' '));
  EXPECT_EQ(document.lines[1], std::string(46, 'x'));
}

TEST(Journal, ReadSelectsKindAndWholeDaysOfTheRange) {
  const Journal journal = ThreeDays();
  struct Case {
    char kind;
    int from, to;
    std::vector<std::string> firstWords;
  } cases[] = {
      {'1', 15, 15, {"SALE 15 A", "SALE 15 B"}},
      {'1', 14, 16, {"SALE 14", "SALE 15 A", "SALE 15 B", "VOID 16"}},
      {'4', 1, 31, {"REFUND 15"}},
      {'5', 15, 15, {"Z 15"}},
      {'5', 16, 16, {}},
      {'1', 16, 14, {}},
      {'9', 1, 31, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> trimmed;
    for (std::string line : journal.Read(c.kind, Day(c.from, 23), Day(c.to, 0))) {
      line.erase(line.find_last_not_of(' ') + 1);
      trimmed.push_back(line);
    }
    EXPECT_EQ(trimmed, c.firstWords) << c.kind << " " << c.from << "-" << c.to;
  }
}

TEST(Journal, FindFiscalMatchesDayNumberAndClosing) {
  Journal journal = ThreeDays();
  ASSERT_NE(journal.FindFiscal(Day(15, 0), 2, 8), nullptr);
  EXPECT_EQ(journal.FindFiscal(Day(15, 0), 2, 8)->type, DocumentType::Refund);
  EXPECT_EQ(journal.FindFiscal(Day(15, 0), 2, 7), nullptr);
  EXPECT_EQ(journal.FindFiscal(Day(14, 0), 2, 8), nullptr);
  EXPECT_EQ(journal.FindFiscal(Day(15, 0), 8, 8), nullptr) << "a Z report is not a fiscal document";
}

TEST(Journal, SaveAndLoadKeepEveryField) {
  Journal journal = ThreeDays();
  JournalDocument& sale = *journal.FindFiscal(Day(15), 3, 8);
  sale.refunded = true;
  sale.lotteryCode = "ABCD1234";
  sale.vatAmounts = {0, 1220, 0, -50};
  std::stringstream text;
  journal.Save(text);

  Journal loaded;
  loaded.Load(text);
  ASSERT_EQ(loaded.Documents().size(), journal.Documents().size());
  const JournalDocument& copy = *loaded.FindFiscal(Day(15), 3, 8);
  EXPECT_TRUE(copy.refunded);
  EXPECT_FALSE(copy.voided);
  EXPECT_EQ(copy.lotteryCode, "ABCD1234");
  EXPECT_EQ(copy.vatAmounts, sale.vatAmounts);
  EXPECT_EQ(copy.lines, sale.lines);
  EXPECT_EQ(copy.when, sale.when);
}

TEST(Journal, LoadRefusesDamagedTextAndKeepsTheJournal) {
  const std::string damaged[] = {
      "",
      "journal 1\n",
      "journal 1\ndocument 99 0 1 1 0 0 0 - 0\n",
      "journal 1\ndocument 0 0 1 1 0 0 1 - 0\n|too short\n",
      "journal 1\ndocument 0 0 1 1 0 0 0 - 2 5\n",
  };
  for (const std::string& text : damaged) {
    Journal journal = ThreeDays();
    std::istringstream in(text);
    EXPECT_THROW(journal.Load(in), std::runtime_error) << text;
    EXPECT_EQ(journal.Documents().size(), 5u);
  }
}

}  // namespace
