// Status, initialisation and the VAT table read of the Epson driver against a
// small fake printer.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "FakePrinter.h"
#include "ScriptedIOHandler.h"
#include "device/kReceiptPrinterHandler.h"
#include "epson/kFiscalPrinter_REZIDAZE.h"
#include "runtime/tQN_ApplicationInfo.h"

using Commands = std::vector<std::string>;

namespace {

struct Driver {
  kReceiptPrinterHandler handler;
  FakePrinter printer;
  ScriptedIOHandler* io = nullptr;
  std::unique_ptr<kFiscalPrinter_REZIDAZE> device;

  Driver() {
    auto fake = std::make_unique<ScriptedIOHandler>(5);
    io = fake.get();
    io->fRespond = std::ref(printer);
    device = std::make_unique<kFiscalPrinter_REZIDAZE>(handler, tQN_ApplicationInfo(), std::move(fake));
  }

  _int_GETSTATUS_result Status(bool expectOk = true) {
    _int_GETSTATUS_result status;
    EXPECT_EQ(device->GetStatus(status), expectOk);
    return status;
  }
};

bool Contains(const Commands& commands, const std::string& command) {
  return std::find(commands.begin(), commands.end(), command) != commands.end();
}

}  // namespace

TEST(EpsonStatusTest, FiscalModeSerialNumberAndTraining) {
  struct Case {
    const char* name;
    std::function<void(FakePrinter&)> setUp;
    const char* mode;
    const char* serial;
    bool training;
    bool asksRTStatus;
  };
  const Case cases[] = {
      {"MF firmware 1.x", [](FakePrinter& p) { p.firmware = "1.00A"; }, "MF", "99EY012345", false, false},
      {"MF firmware 2.x", [](FakePrinter& p) { p.firmware = "2.05A"; }, "MF", "99EY012345", false, false},
      {"RT printer", [](FakePrinter&) {}, "RT", "99MEY012345", false, true},
      {"RT firmware in MF state", [](FakePrinter& p) { p.rtMain = "01"; }, "MF", "99MEY012345", false, true},
      {"no RT status command", [](FakePrinter& p) { p.hasRTStatus = false; }, "MF", "99EY012345", false, true},
      {"training by parameter 1", [](FakePrinter& p) { p.params[1] = "1"; }, "RT", "99MEY012345", true, true},
      {"training by RT status", [](FakePrinter& p) { p.rtTraining = "1"; }, "RT", "99MEY012345", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Driver d;
    c.setUp(d.printer);
    const auto status = d.Status();
    EXPECT_EQ(status.FiscalMode, c.mode);
    EXPECT_EQ(status.SerialNumber, c.serial);
    EXPECT_EQ(status.TrainingMode, c.training);
    EXPECT_EQ(Contains(d.io->Commands(), "1138 01"), c.asksRTStatus);
    EXPECT_FALSE(d.io->ErrorFound()) << "a missing RT status command is not an error";
    EXPECT_EQ(status.FirmwareVersion, d.printer.firmware);
    EXPECT_EQ(d.device->fFirmwareVersion, d.printer.firmware);
  }
}

TEST(EpsonStatusTest, FullStatusReadOfAnRTPrinter) {
  Driver d;
  const auto status = d.Status();
  EXPECT_EQ(d.io->Commands(), (Commands{"2050 2400", "4201 ", "1074 01", "4214 01", "1138 01", "3217 01"}));
  EXPECT_TRUE(status.DayOpened);
  EXPECT_EQ(status.DateTime, DateTime::Encode(2021, 6, 15, 10, 30));
  EXPECT_FALSE(status.PaperEnd || status.PaperNearEnd || status.CoverOpen || status.FiscalReceiptOpen ||
               status.ReceiptOpen);
}

TEST(EpsonStatusTest, PrinterStatusField) {
  struct Case {
    const char* field;
    bool paperEnd, nearEnd, coverOpen, fiscalOpen, receiptOpen;
  };
  const Case cases[] = {
      {"30010", true, false, true, false, false}, {"20010", false, true, false, false, false},
      {"10000", false, false, false, true, false}, {"10070", false, false, false, true, false},
      {"10090", false, false, false, true, false}, {"10020", false, false, false, false, true},
      {"10060", false, false, false, false, true}, {"10010", false, false, false, false, false},
      {"1", false, false, false, false, false},   // a short reply sets nothing
  };
  for (const auto& c : cases) {
    Driver d;
    d.printer.statusField = c.field;
    const auto s = d.Status();
    EXPECT_EQ((std::vector<bool>{s.PaperEnd, s.PaperNearEnd, s.CoverOpen, s.FiscalReceiptOpen, s.ReceiptOpen}),
              (std::vector<bool>{c.paperEnd, c.nearEnd, c.coverOpen, c.fiscalOpen, c.receiptOpen}))
        << c.field;
  }
}

TEST(EpsonStatusTest, DailyDataWithAnotherReplyCodeIsAskedAgain) {
  Driver d;
  d.printer.staleDailyReplies = 1;
  const auto status = d.Status();
  EXPECT_EQ(d.io->Commands(), (Commands{"2050 2400", "2050 2400", "4201 ", "1074 01", "4214 01", "1138 01", "3217 01"}));
  EXPECT_TRUE(status.DayOpened);
}

TEST(EpsonStatusTest, DailyDataRequestsAreBounded) {
  Driver d;
  d.printer.staleDailyReplies = 100;
  const auto status = d.Status();
  Commands expected(kFiscalPrinter_REZIDAZE::kDailyDataRequests, "2050 2400");
  expected.insert(expected.end(), {"4214 01", "3217 01"});
  EXPECT_EQ(d.io->Commands(), expected);
  EXPECT_FALSE(status.DayOpened);
  EXPECT_EQ(status.FiscalMode, "MF");
  EXPECT_EQ(status.SerialNumber, "99EY012345");
}

TEST(EpsonStatusTest, DayOpenedReadsTheReceiptCount) {
  for (const auto& [count, opened] : std::vector<std::pair<std::string, bool>>{
           {"000000000", false}, {"000000001", true}, {"00000000X", false}}) {
    Driver d;
    d.printer.dayReceipts = count;
    EXPECT_EQ(d.Status().DayOpened, opened) << count;
  }
}

TEST(EpsonStatusTest, Failures) {
  {
    Driver d;   // a printer that never answers
    d.io->fRespond = nullptr;
    d.Status(false);
    EXPECT_EQ(d.io->ErrorCode(), -99);
  }
  {
    Driver d;   // the serial number decides the outcome
    d.printer.errors["3217"] = "12";
    EXPECT_EQ(d.Status(false).SerialNumber, "");
    EXPECT_EQ(d.io->ErrorMessage(), "DATI INESISTENTI");
  }
  {
    Driver d;   // a failed daily-data read is swallowed
    d.printer.errors["2050"] = "03";
    const auto status = d.Status();
    EXPECT_EQ(status.FiscalMode, "MF");
    EXPECT_FALSE(d.io->ErrorFound());
  }
  {
    Driver d;
    d.printer.rtMain = "07";
    _int_GETSTATUS_result status;
    try {
      d.device->GetStatus(status);
      FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "Unknown RTMain Value:07");
    }
  }
}

TEST(EpsonStatusTest, ResetIfDocumentOpen) {
  for (const auto& [field, resets] : std::vector<std::pair<std::string, bool>>{
           {"10010", false}, {"10000", true}, {"10020", true}}) {
    Driver d;
    d.printer.statusField = field;
    EXPECT_TRUE(d.device->ResetIfDocumentOpen());
    EXPECT_EQ(Contains(d.io->Commands(), "1088 01"), resets) << field;
  }
}

TEST(EpsonStatusTest, ParametersAndTrainingMode) {
  Driver d;
  EXPECT_EQ(d.device->GetS14Value(27), "1");
  EXPECT_TRUE(d.device->SetTrainingMode(false));   // already off: read only
  EXPECT_TRUE(d.device->SetTrainingMode(true));
  EXPECT_EQ(d.io->Commands(), (Commands{"4214 27", "4214 01", "4214 01", "4014 011"}));
  d.printer.errors["4214"] = "16";
  EXPECT_EQ(d.device->GetS14Value(27), "");
}

TEST(EpsonInitTest, ReadsParametersAndPreparesThePrinter) {
  struct Case {
    const char *p27, *p29, *p51;
    bool ack, javaPos;
    int32_t lineLength;
  };
  const Case cases[] = {{"1", "1", "0", true, true, 46}, {"0", "0", "1", false, false, 40}};
  for (const auto& c : cases) {
    Driver d;
    d.printer.params = {{27, c.p27}, {29, c.p29}, {51, c.p51}, {11, "0"}, {13, "1"}};
    EXPECT_TRUE(d.device->Init());
    EXPECT_EQ(d.device->fExchange.fAckEnabled, c.ack);
    EXPECT_EQ(d.device->fJavaPOSEnabled, c.javaPos);
    EXPECT_EQ(d.device->fLineLength, c.lineLength);
    EXPECT_EQ(d.io->Commands(),
              (Commands{"4214 27", "4214 29", "4214 51", "4214 11", "4014 111", "4214 13", "4014 130", "1088 01"}));
    EXPECT_EQ(d.io->fFrameReadTimeouts.back(), 3000) << "the reset waits longer";
    EXPECT_EQ(d.io->fReadTimeout, 5) << "and the time-out is restored";
  }
}

TEST(EpsonInitTest, UnreadableParametersKeepDefaultsAndLeaveNoError) {
  Driver d;
  d.printer.errors["4214"] = "16";
  EXPECT_TRUE(d.device->Init());
  EXPECT_FALSE(d.device->fExchange.fAckEnabled);
  EXPECT_FALSE(d.device->fJavaPOSEnabled);
  EXPECT_EQ(d.device->fLineLength, 40);
  EXPECT_FALSE(d.io->ErrorFound());
}

TEST(EpsonInitTest, OverdueZReportBehindAnRTServer) {
  const DateTime now = DateTime::Encode(2021, 6, 15, 10, 30);
  struct Case {
    int clockOffsetMinutes;
    int lastZReportDaysAgo;   // -1: never
    bool due;
  };
  const Case cases[] = {{-6, 1, true}, {6, 1, true}, {-5, 90, false}, {5, 90, false}, {0, 91, true}, {0, -1, true}};
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE("case " + std::to_string(n));
    Driver d;
    d.device->fRTServerActive = true;
    d.device->fClock = [now] { return now; };
    d.printer.serial = "01234" + std::to_string(n++) + "EY99";
    d.printer.clock = now.AddMilliseconds(int64_t{c.clockOffsetMinutes} * 60000).Format("ddmmyyhhnn");
    d.device->fSerialNumber = "99MEY" + d.printer.serial.substr(0, 6);
    std::filesystem::remove(kFiscalPrinterDevice::LogDirectory() + "/" + d.device->fSerialNumber + "_ZrepDate.stv");
    if (c.lastZReportDaysAgo >= 0)
      d.device->SaveZReportDate(now.AddMilliseconds(-int64_t{c.lastZReportDaysAgo} * DateTime::kMsPerDay));
    d.device->fSerialNumber.clear();

    d.device->Init();
    const Commands commands = d.io->Commands();
    EXPECT_EQ(d.device->fSerialNumber, "99MEY" + d.printer.serial.substr(0, 6));
    ASSERT_EQ(Contains(commands, "3001 01"), c.due);
    if (!c.due) continue;
    EXPECT_EQ(commands.back(), "4001 150621103000") << "the printer's clock is set to the computer's";
    EXPECT_EQ(d.io->fFrameReadTimeouts[commands.size() - 2], 5000);
    EXPECT_EQ(d.device->LoadZReportDate(), DateTime::Encode(2021, 6, 15));
  }
}

TEST(EpsonVatTableTest, SlotsByModeAndNatureEntries) {
  using Vats = std::vector<std::string>;   // index:code:rate in hundredths
  const Commands rtSlots{"4205 01", "4205 02", "4205 03", "4205 04", "4205 05",
                         "4205 06", "4205 07", "4205 08", "4205 09"};
  const Commands mfSlots(rtSlots.begin(), rtSlots.begin() + 4);
  const Vats printerVats{"1:2200:2200", "2:1000:1000", "3:0500:500", "4:0400:400"};
  const Vats natures{"0:N4:0", "10:N1:0", "11:N2:0", "12:N3:0", "13:N5:0", "14:N6:0"};
  auto join = [](Vats a, const Vats& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
  };
  struct Case {
    const char* name;
    const char* mode;
    bool rtServer;
    bool failing;   // every 4205 answers with an error
    Commands commands;
    Vats vats;
  };
  const Case cases[] = {
      {"RT reads nine slots", "RT", false, false, rtSlots, join(join(printerVats, {"7:0730:730"}), natures)},
      {"MF reads four slots", "MF", false, false, mfSlots, printerVats},
      {"MF behind an RT server", "MF", true, false, mfSlots, join(printerVats, natures)},
      {"the first failure stops the read", "RT", false, true, {"4205 01"}, natures},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Driver d;
    d.printer.vatRates[6] = "0730";
    if (c.failing) d.printer.errors["4205"] = "12";
    d.device->fFiscalMode = c.mode;
    d.device->fRTServerActive = c.rtServer;
    d.device->fVatTable.Add({5, "old", "old", Currency()});
    EXPECT_EQ(d.device->GetVatTable(), !c.failing);
    EXPECT_EQ(d.io->Commands(), c.commands);
    Vats vats;
    for (const kVat& vat : d.device->fVatTable.Items()) {
      EXPECT_EQ(vat.fDescription, vat.fCode);
      vats.push_back(std::to_string(vat.fIndex) + ":" + vat.fCode + ":" + std::to_string(vat.fRate.Raw() / 100));
    }
    EXPECT_EQ(vats, c.vats);
  }
}
