// VAT slots and departments as the driver writes and reads them.

#include "SimulatorHarness.h"

#include <gtest/gtest.h>

using namespace fpsim_test;

namespace {

struct Session {
  explicit Session(const std::function<void(Printer&)>& setup = {})
      : simulator(Options{}, setup), host(HostLine::Tcp(simulator.Sim().TcpPort())) {}

  ReplyFrame Send(const std::string& code, const std::string& data = {}) { return host.Exchange(++counter, code, data); }

  RunningSimulator simulator;
  HostLine host;
  int counter = 0;
};

// The department record the driver sends: number, description, three zero amounts,
// "0", VAT slot, a zero amount, "00", "00", two blanks, two blanks.
std::string DepartmentData(const std::string& number, const std::string& description, const std::string& slot) {
  std::string text = description;
  text.resize(20, ' ');
  return number + text + std::string(27, '0') + "0" + slot + std::string(9, '0') + "0000" + "    ";
}

TEST(TableCommandsTest, VatSlotsReadBackAtTheRatePositions) {
  Session session;
  EXPECT_EQ(session.Send("4205", "01").Rd(3, 6), "2200");
  EXPECT_EQ(session.Send("4205", "09").Rd(3, 6), "0000") << "a free slot reads as zero";
  EXPECT_EQ(session.Send("4005", "09" "0500" "00").Error(), 0);
  EXPECT_EQ(session.Send("4205", "09").Rd(3, 6), "0500");
  const char* refused[] = {"00220000", "10220000", "0922000", "09220001", "0A220000"};
  for (const char* data : refused) EXPECT_EQ(session.Send("4005", data).Error(), 13) << data;
  EXPECT_EQ(session.Send("4205", "10").Error(), 13);
}

TEST(TableCommandsTest, VatSlotsCannotBeWrittenWhileTheDayHasDocumentsOrADocumentIsOpen) {
  Session busy([](Printer& p) { p.state.day.fiscalDocuments = 2; });
  EXPECT_EQ(busy.Send("4005", "03050000").Error(), 17);
  EXPECT_EQ(busy.Send("4205", "03").Rd(3, 6), "0500") << "the slot keeps its rate";

  Session open([](Printer& p) { p.state.document = DocumentState::FiscalReceipt; });
  EXPECT_EQ(open.Send("4005", "03050000").Error(), 23);
}

TEST(TableCommandsTest, DepartmentsRoundTripTheRecordTheDriverReads) {
  Session session;
  const std::string data = DepartmentData("07", "PANE E PASTA", "03");
  ASSERT_EQ(session.Send("4002", data).Error(), 0);
  const ReplyFrame reply = session.Send("4202", "07");
  EXPECT_EQ(reply.Rd(3, 22), "PANE E PASTA        ");
  EXPECT_EQ(reply.Rd(51, 52), "03");
  EXPECT_EQ(reply.Data(), data);
  EXPECT_EQ(session.Send("4202", "20").Rd(3, 22), "REPARTO 20          ");
}

TEST(TableCommandsTest, DepartmentWritesWithBadFieldsAreRefused) {
  Session session;
  const struct {
    const char* name;
    std::string data;
    int error;
  } cases[] = {
      {"unknown VAT code sent as -1", DepartmentData("05", "X", "-1"), 13},
      {"VAT slot beyond the natures", DepartmentData("05", "X", "15"), 13},
      {"free VAT slot", DepartmentData("05", "X", "09"), 22},
      {"department 0", DepartmentData("00", "X", "01"), 13},
      {"department 21", DepartmentData("21", "X", "01"), 13},
      {"short record", DepartmentData("05", "X", "01").substr(0, 60), 13},
  };
  for (const auto& c : cases) EXPECT_EQ(session.Send("4002", c.data).Error(), c.error) << c.name;
  EXPECT_EQ(session.Send("4002", DepartmentData("05", "ESENTE", "10")).Error(), 0) << "nature slot";
  EXPECT_EQ(session.Send("4202", "21").Error(), 13);
}

}  // namespace
