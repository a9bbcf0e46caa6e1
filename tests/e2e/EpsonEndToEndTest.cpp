// OPEN, GETSTATUS, GETVATTABLE and CLOSE through the exports against the printer
// simulator, over a pseudo-terminal and over TCP, with a printer that stops
// answering and one that goes away.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FpsimProcess.h"
#include "QNRP_REZIDAZE_10.h"
#include "runtime/Text.h"

namespace {

struct Answer {
  int16_t code = 0;
  std::string output;
  std::string error;
};

Answer Call(QNRP_CommandFunction aCommand, const std::string& aXml) {
  const std::u16string xml = Utf8ToUtf16(aXml);
  BSTR request = SysAllocStringLen(xml.data(), static_cast<uint32_t>(xml.size()));
  BSTR output = nullptr;
  BSTR error = nullptr;
  Answer answer;
  answer.code = aCommand(request, &output, &error);
  answer.output = Utf16ToUtf8(std::u16string_view(output ? output : u"", SysStringLen(output)));
  answer.error = Utf16ToUtf8(std::u16string_view(error ? error : u"", SysStringLen(error)));
  SysFreeString(request);
  SysFreeString(output);
  SysFreeString(error);
  return answer;
}

// The text of the first element of that name in a result fragment.
std::string Element(const std::string& aFragment, const std::string& aName) {
  const size_t start = aFragment.find("<" + aName + ">");
  if (start == std::string::npos) return "(no " + aName + ")";
  const size_t from = start + aName.size() + 2;
  return aFragment.substr(from, aFragment.find("</" + aName + ">", from) - from);
}

std::string DeviceRequest(const std::string& aHandle) {
  return "<Request><Driver>QNRP_REZIDAZE_10</Driver><Handle>" + aHandle + "</Handle><LogId>e2e</LogId></Request>";
}

// One line to fpsim's control channel; its one-line answer.
std::string Control(int aPort, const std::string& aCommand) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(aPort));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string answer;
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    const std::string line = aCommand + "\n";
    if (write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
      char c;
      while (read(fd, &c, 1) == 1 && c != '\n') answer += c;
    }
  }
  close(fd);
  return answer;
}

enum class Link { Pty, Tcp };

struct EndToEndTest : ::testing::TestWithParam<Link> {
  std::unique_ptr<FpsimProcess> fpsim;
  int controlPort = 0;
  std::string connection;

  void SetUp() override {
    if (GetParam() == Link::Pty) {
      fpsim = std::make_unique<FpsimProcess>(std::vector<std::string>{"--pty", "--control", "127.0.0.1:0"});
      connection = "<Type>serial</Type><SerialPort>" + fpsim->Announced("pty") +
                   "</SerialPort><Speed>9600</Speed><DataBits>8</DataBits><Parity>none</Parity><StopBits>1</StopBits>";
    } else {
      fpsim = std::make_unique<FpsimProcess>(std::vector<std::string>{"--tcp", "127.0.0.1:0", "--control", "127.0.0.1:0"});
      connection = "<Type>tcp</Type><Address>127.0.0.1</Address><Port>" + fpsim->Announced("tcp port") + "</Port>";
    }
    controlPort = std::stoi(fpsim->Announced("control port"));
  }

  // OPEN with a short read time-out, so that a silent printer costs little.
  std::string Open() {
    const Answer open = Call(OPEN, "<Request><Driver>QNRP_REZIDAZE_10</Driver><LogId>e2e</LogId><Connection>" +
                                       connection + "<ReadTimeout>300</ReadTimeout></Connection></Request>");
    EXPECT_EQ(open.code, 0) << open.error;
    EXPECT_EQ(Element(open.output, "Error"), "False");
    return Element(open.output, "Handle");
  }
};

}  // namespace

TEST_P(EndToEndTest, OpenStatusVatTableClose) {
  const std::string handle = Open();
  ASSERT_GT(std::stoi(handle), 0);

  const Answer status = Call(GETSTATUS, DeviceRequest(handle));
  EXPECT_EQ(status.code, 0) << status.error;
  EXPECT_EQ(Element(status.output, "FiscalMode"), "RT");
  EXPECT_EQ(Element(status.output, "SerialNumber"), "99MEX012345");
  EXPECT_EQ(Element(status.output, "FirmwareVersion").substr(0, 4), "5.01");
  EXPECT_NE(Element(status.output, "LogFileName"), "");

  const Answer vat = Call(GETVATTABLE, DeviceRequest(handle));
  EXPECT_EQ(vat.code, 0) << vat.error;
  EXPECT_NE(vat.output.find("<Code>N4</Code>"), std::string::npos) << "RT printers list the nature codes";
  EXPECT_NE(vat.output.find("<Index>1</Index>"), std::string::npos) << vat.output;

  const Answer close = Call(CLOSE, DeviceRequest(handle));
  EXPECT_EQ(close.code, 0) << close.error;
  const Answer after = Call(GETSTATUS, DeviceRequest(handle));
  EXPECT_EQ(after.code, -1);
  EXPECT_EQ(after.error, "Printer Handle not found");
}

TEST_P(EndToEndTest, SilentPrinterTimesOutAndTheHandleStaysUsable) {
  const std::string handle = Open();
  ASSERT_EQ(Control(controlPort, "silence 1000").substr(0, 2), "OK");
  const Answer silent = Call(GETSTATUS, DeviceRequest(handle));
  EXPECT_EQ(silent.code, -1);
  EXPECT_EQ(silent.error, "Timeout Error");

  ASSERT_EQ(Control(controlPort, "clear").substr(0, 2), "OK");
  const Answer again = Call(GETSTATUS, DeviceRequest(handle));
  EXPECT_EQ(again.code, 0) << again.error;
  EXPECT_EQ(Element(again.output, "SerialNumber"), "99MEX012345");
  Call(CLOSE, DeviceRequest(handle));
}

TEST_P(EndToEndTest, CloseOfAnUnreachablePrinterRemovesTheHandle) {
  const std::string handle = Open();
  fpsim->Stop();
  Call(CLOSE, DeviceRequest(handle));
  const Answer after = Call(GETSTATUS, DeviceRequest(handle));
  EXPECT_EQ(after.code, -1);
  EXPECT_EQ(after.error, "Printer Handle not found");
}

INSTANTIATE_TEST_SUITE_P(Links, EndToEndTest, ::testing::Values(Link::Pty, Link::Tcp),
                         [](const auto& info) { return info.param == Link::Pty ? "Pty" : "Tcp"; });
