// The state file: a printer "power-cycled" through it comes back as it was left,
// and a damaged file is refused with a reason instead of starting a wrong printer.

#include "SimulatorHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

using namespace fpsim_test;

namespace {

class StateFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    path = ::testing::TempDir() + "fpsim-state-test-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".state";
    std::remove(path.c_str());
  }
  void TearDown() override { std::remove(path.c_str()); }

  Options WithState() const {
    Options options;
    options.stateFile = path;
    return options;
  }

  std::string path;
};

TEST_F(StateFileTest, PrinterComesBackAsItWasLeft) {
  std::string department = "07SCONTO 10% = OK";
  department.resize(22, ' ');
  department += std::string(27, '0') + "0" + "02" + std::string(9, '0') + "0000    ";
  {
    Options options = WithState();
    options.serial = "11ZZZ999999";
    RunningSimulator simulator(options);
    HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
    ControlLine control(simulator.Sim().ControlPort());
    EXPECT_EQ(host.Exchange(1, "4005", "09" "0500" "00").Error(), 0);
    EXPECT_EQ(host.Exchange(2, "4014", "510").Error(), 0);
    EXPECT_EQ(host.Exchange(3, "4002", department).Error(), 0);
    EXPECT_EQ(host.Exchange(4, "4001", "150630100000").Error(), 0);
    EXPECT_EQ(host.Exchange(5, "1063", "01").Error(), 0);
    EXPECT_EQ(host.Exchange(6, "1064", "011" "PROVA").Error(), 0);
    EXPECT_EQ(control.Run("paper near"), "OK");
    EXPECT_EQ(control.Run("card 05"), "OK");
    // Power off with the non-fiscal document still open: no orderly save.
  }
  RunningSimulator simulator(WithState());
  HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
  ControlLine control(simulator.Sim().ControlPort());
  EXPECT_EQ(host.Exchange(1, "4205", "09").Rd(3, 6), "0500");
  EXPECT_EQ(host.Exchange(2, "4214", "51").Rd(3, 3), "0");
  EXPECT_EQ(host.Exchange(3, "4202", "07").Data(), department);
  EXPECT_EQ(host.Exchange(4, "4201").Rd(1, 10), "1506301000");
  const ReplyFrame status = host.Exchange(5, "1074", "01");
  EXPECT_EQ(status.Rd(13, 13), "2") << "paper near end";
  EXPECT_EQ(status.Rd(16, 16), "2") << "the non-fiscal document is still open";
  EXPECT_NE(control.Run("status").find("card=05"), std::string::npos);
  const ReplyFrame serial = host.Exchange(6, "3217", "01");
  EXPECT_EQ(serial.Rd(3, 8), "999999") << "the serial number comes from the file, not the options";
  EXPECT_EQ(host.Exchange(7, "1065", "01").Error(), 0);
  simulator.Shutdown();
  const Journal& journal = simulator.Sim().GetPrinter().state.journal;
  ASSERT_EQ(journal.Documents().size(), 1u);
  ASSERT_GE(journal.Documents()[0].lines.size(), 5u) << "lines printed before the power cycle are kept";
  EXPECT_EQ(journal.Documents()[0].lines[4].substr(0, 5), "PROVA");
}

TEST_F(StateFileTest, DamagedFileIsRefusedWithAReason) {
  const struct {
    const char* name;
    const char* contents;
    const char* reason;
  } cases[] = {
      {"line without a name", "serialNumber=99MEX012345\n=5\n", "line 2"},
      {"bad escape", "firmware=5.0%G1\n", "bad escape"},
      {"not a number", "zReportNumber=twelve\n", "zReportNumber"},
      {"endless list", "header.count=99999999999\n", "too long"},
      {"two characters for one", "departments.3.flag=01\n", "one character"},
  };
  for (const auto& c : cases) {
    {
      std::ofstream out(path, std::ios::trunc);
      out << c.contents;
    }
    try {
      Simulator simulator(WithState());
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(c.reason), std::string::npos) << c.name << ": " << error.what();
    }
  }
}

}  // namespace
