// Status, identity, parameters and clock, read at the reply positions the driver reads.

#include "SimulatorHarness.h"

#include <gtest/gtest.h>

using namespace fpsim_test;

namespace {

// One simulator per case, prepared by setup, with one TCP host connection.
struct Session {
  explicit Session(const std::function<void(Printer&)>& setup = {}, Options options = {})
      : simulator(std::move(options), setup), host(HostLine::Tcp(simulator.Sim().TcpPort())) {}

  ReplyFrame Send(const std::string& code, const std::string& data = {}) { return host.Exchange(++counter, code, data); }

  RunningSimulator simulator;
  HostLine host;
  int counter = 0;
};

TEST(StatusCommandsTest, PrinterStatusFieldFollowsPaperCoverDrawerAndDocument) {
  const struct {
    const char* name;
    std::function<void(PrinterState&)> set;
    const char* field;  // RD 13-17
  } cases[] = {
      {"idle", [](PrinterState&) {}, "00110"},
      {"paper near end", [](PrinterState& s) { s.paper = PaperLevel::NearEnd; }, "20110"},
      {"paper end", [](PrinterState& s) { s.paper = PaperLevel::End; }, "30110"},
      {"cover open", [](PrinterState& s) { s.coverOpen = true; }, "30110"},
      {"drawer open", [](PrinterState& s) { s.drawerOpen = true; }, "00010"},
      {"fiscal receipt", [](PrinterState& s) { s.document = DocumentState::FiscalReceipt; }, "00100"},
      {"payment", [](PrinterState& s) { s.document = DocumentState::PaymentStarted; }, "00130"},
      {"non-fiscal", [](PrinterState& s) { s.document = DocumentState::NonFiscal; }, "00120"},
  };
  for (const auto& c : cases) {
    Session session([&](Printer& p) { c.set(p.state); });
    const ReplyFrame reply = session.Send("1074", "01");
    EXPECT_EQ(reply.Rd(3, 7), "5.01 ") << c.name;
    EXPECT_EQ(reply.Rd(13, 17), c.field) << c.name;
  }
}

TEST(StatusCommandsTest, RtStateReportsModeSerialLetterAndTraining) {
  const struct {
    const char* name;
    std::function<void(PrinterState&)> set;
    const char* main;   // RD 4-5
    const char* training;  // RD 39
  } cases[] = {
      {"RT", [](PrinterState&) {}, "02", "0"},
      {"MF on RT firmware", [](PrinterState& s) { s.fiscalMode = "MF"; }, "01", "0"},
      {"training", [](PrinterState& s) { s.parameters[Param::kTraining] = '1'; }, "02", "1"},
  };
  for (const auto& c : cases) {
    Session session([&](Printer& p) { c.set(p.state); });
    const ReplyFrame reply = session.Send("1138", "01");
    EXPECT_EQ(reply.Code(), "1138") << c.name;
    EXPECT_EQ(reply.Rd(3, 3), "M") << c.name;
    EXPECT_EQ(reply.Rd(4, 5), c.main) << c.name;
    EXPECT_EQ(reply.Rd(39, 39), c.training) << c.name;
  }
}

TEST(StatusCommandsTest, MfFirmwareDoesNotKnowTheRtStateCommand) {
  Options options;
  options.mode = "MF";
  Session session({}, options);
  EXPECT_EQ(session.Send("1074", "01").Rd(3, 7), "1.00 ");
  EXPECT_EQ(session.Send("1138", "01").Error(), 16);
}

TEST(StatusCommandsTest, SerialNumberIsSplitAsTheDriverReassemblesIt) {
  Options options;
  options.serial = "72ABC654321";
  Session session({}, options);
  const ReplyFrame serial = session.Send("3217", "01");
  const ReplyFrame rt = session.Send("1138", "01");
  EXPECT_EQ(serial.Rd(11, 12) + rt.Rd(3, 3) + serial.Rd(9, 10) + serial.Rd(3, 8), "72ABC654321");
}

TEST(StatusCommandsTest, DailyDataCarriesItsCodeAndTheDocumentsOfTheDay) {
  Session session([](Printer& p) { p.state.day.fiscalDocuments = 42; });
  const ReplyFrame reply = session.Send("2050", "2400");
  EXPECT_EQ(reply.Code(), "2050");
  EXPECT_EQ(reply.Rd(16, 24), "000000042");
  Session empty;
  EXPECT_EQ(empty.Send("2050", "2400").Rd(16, 24), "000000000");
  EXPECT_EQ(empty.Send("2050", "9900").Error(), 13);
}

TEST(StatusCommandsTest, ParametersReadBackWhatWasWrittenAndRefuseBadValues) {
  Session session;
  EXPECT_EQ(session.Send("4214", "27").Rd(3, 3), "1");
  EXPECT_EQ(session.Send("4214", "29").Rd(3, 3), "1");
  EXPECT_EQ(session.Send("4214", "51").Rd(3, 3), "1");
  EXPECT_EQ(session.Send("4014", "510").Error(), 0);
  EXPECT_EQ(session.Send("4214", "51").Rd(3, 3), "0");
  EXPECT_EQ(session.Send("4014", "011").Error(), 0);
  EXPECT_EQ(session.Send("1138", "01").Rd(39, 39), "1") << "parameter 1 is training mode";
  const struct {
    const char* code;
    const char* data;
  } refused[] = {{"4014", "512"}, {"4014", "00" "1"}, {"4014", "27"}, {"4014", "2A1"}, {"4214", "00"}, {"4214", "5"}};
  for (const auto& r : refused) EXPECT_EQ(session.Send(r.code, r.data).Error(), 13) << r.code << " " << r.data;
}

TEST(StatusCommandsTest, ClockReadsBackWhatWasSetAndRefusesBadDates) {
  Session session;
  EXPECT_EQ(session.Send("4001", "150321103000").Error(), 0);
  EXPECT_EQ(session.Send("4201").Rd(1, 10), "1503211030");
  const char* badDates[] = {"310221103000", "150321250000", "1503211030", "15032110300A", "150321103015"};
  for (const char* data : badDates) EXPECT_EQ(session.Send("4001", data).Error(), 10) << data;
}

TEST(StatusCommandsTest, ClockRefusesToGoBehindTheLastZReportOrLeaveADayWithDocuments) {
  Session behind([](Printer& p) { p.state.lastZReport = DateTime::Encode(2024, 1, 10, 18, 0); });
  EXPECT_EQ(behind.Send("4001", "090124120000").Error(), 9);
  EXPECT_EQ(behind.Send("4001", "100124200000").Error(), 0) << "later the same day is fine";

  Session busy([](Printer& p) { p.state.day.fiscalDocuments = 1; });
  const CivilDateTime today = DateTime::Now().ToCivil();
  char sameDay[16], otherDay[16];
  std::snprintf(sameDay, sizeof sameDay, "%02d%02d%02d235900", today.day, today.month, today.year % 100);
  std::snprintf(otherDay, sizeof otherDay, "0101%02d120000", (today.year + 1) % 100);
  EXPECT_EQ(busy.Send("4001", otherDay).Error(), 17);
  EXPECT_EQ(busy.Send("4001", sameDay).Error(), 0);
}

TEST(StatusCommandsTest, UnknownCodesAndUnknownLayoutsGetPrinterErrors) {
  Session session;
  EXPECT_EQ(session.Send("9999").Error(), 16);
  EXPECT_EQ(session.Send("1074", "02").Error(), 13);
  EXPECT_EQ(session.Send("4201", "x").Error(), 13);
}

}  // namespace
