// The device base: the public-operation frame, the status and VAT operations,
// the services it offers to drivers, and the operations not in this build.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "device/kFiscalPrinterDevice.h"
#include "device/kReceiptPrinterHandler.h"
#include "epson/ScriptedIOHandler.h"
#include "epson/TraceLines.h"
#include "runtime/tQN_ApplicationInfo.h"

namespace {

// A driver whose primitives the test decides.
class TestDevice : public kFiscalPrinterDevice {
public:
  TestDevice(const kReceiptPrinterHandler& aHandler, std::unique_ptr<kIOHandler> aIOHandler)
      : kFiscalPrinterDevice(aHandler, tQN_ApplicationInfo(), std::move(aIOHandler)) {}

  std::function<bool(kIOHandler&, _int_GETSTATUS_result&)> status;
  std::vector<kVat> printerVats;
  bool GetStatus(_int_GETSTATUS_result& aStatus) override { return status(IOHandler(), aStatus); }
  bool GetVatTable() override {
    fVatTable.Clear();
    for (const auto& vat : printerVats) fVatTable.Add(vat);
    return true;
  }
};

struct DeviceTest : ::testing::Test {
  kReceiptPrinterHandler handler;
  ScriptedIOHandler* io = nullptr;
  std::unique_ptr<TestDevice> device;

  explicit DeviceTest(const std::string& logName = "") {
    auto fake = std::make_unique<ScriptedIOHandler>(5, logName.empty() ? "" : TestLogDir("device"), logName);
    io = fake.get();
    device = std::make_unique<TestDevice>(handler, std::move(fake));
  }
};

struct DeviceTraceTest : DeviceTest {
  DeviceTraceTest() : DeviceTest(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
};

void SetStatus(_int_GETSTATUS_result& status, const std::string& mode, const std::string& serial) {
  status.FiscalMode = mode;
  status.SerialNumber = serial;
}

}  // namespace

TEST_F(DeviceTraceTest, GetStatusStoresModeAndSerialOnSuccess) {
  device->status = [](kIOHandler&, _int_GETSTATUS_result& s) {
    SetStatus(s, "RT", "99MEY012345");
    return true;
  };
  _int_GETSTATUS_result result;
  kReceiptPrinterHandler call;
  device->Pub_GetStatus(call, result);
  EXPECT_FALSE(result.Error);
  EXPECT_EQ(result.ErrorText, "");
  EXPECT_EQ(result.SerialNumber, "99MEY012345");
  EXPECT_EQ(result.LogFileName, io->GetLogFileName());
  EXPECT_EQ(device->fFiscalMode, "RT");
  EXPECT_EQ(device->fSerialNumber, "99MEY012345");

  ASSERT_TRUE(io->WaitLogWritten(std::chrono::seconds(5)));
  const auto lines = TraceMessages(result.LogFileName);
  EXPECT_EQ(lines.back(), std::string(60, '-') + " GetStatus");
}

TEST_F(DeviceTest, GetStatusFailureKeepsTheDeviceValues) {
  device->fFiscalMode = "MF";
  device->fSerialNumber = "OLD";
  device->status = [](kIOHandler& io, _int_GETSTATUS_result& s) {
    SetStatus(s, "RT", "NEW");
    io.SetCustomError(-99, "Timeout Error");
    return false;
  };
  _int_GETSTATUS_result result;
  device->Pub_GetStatus(handler, result);
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText, "Timeout Error");
  EXPECT_EQ(result.SerialNumber, "NEW") << "the result keeps what the driver wrote";
  EXPECT_EQ(device->fSerialNumber, "OLD");
  EXPECT_EQ(device->fFiscalMode, "MF");
}

TEST_F(DeviceTest, GetVatTableListsTheDeviceTable) {
  device->printerVats = {{1, "2200", "2200", Currency::Parse("22")}, {0, "N4", "N4", Currency()}};
  _int_GETVATTABLE_result result;
  result.VATTable.push_back({9, "old", "old", Currency()});
  device->Pub_GetVatTable(handler, result);
  ASSERT_FALSE(result.Error);
  ASSERT_EQ(result.VATTable.size(), 2u);
  EXPECT_EQ(result.VATTable[0].Index, 1);
  EXPECT_EQ(result.VATTable[0].Code, "2200");
  EXPECT_EQ(result.VATTable[0].Description, "2200");
  EXPECT_EQ(result.VATTable[0].Rate, Currency::Parse("22"));
  EXPECT_EQ(result.VATTable[1].Code, "N4");

  io->SetCustomError(3, "OFFLINE");   // an error recorded during the read
  device->Pub_GetVatTable(handler, result);
  EXPECT_TRUE(result.Error);
  EXPECT_EQ(result.ErrorText, "OFFLINE");
  EXPECT_TRUE(result.VATTable.empty());
}

TEST_F(DeviceTest, OpenAndClose) {
  _int_OPEN_result open;
  device->Pub_Open(handler, open);
  EXPECT_FALSE(open.Error);
  EXPECT_EQ(open.Handle, 0) << "the command sets the handle, not the device";

  io->fConnectResult = false;   // a transport that fails without recording why
  device->Pub_Open(handler, open);
  EXPECT_TRUE(open.Error);
  EXPECT_EQ(open.ErrorText, "Connection to the printer failed");

  io->ResetCustomError();
  _int_CLOSE_result close;
  device->Pub_Close(handler, close);
  EXPECT_TRUE(io->fDisconnected);
  EXPECT_FALSE(close.Error);
}

TEST(DeviceCreationTest, RTServerParameter) {
  struct Case {
    const char* value;   // null: no parameter
    bool refused;
  };
  for (const Case& c : {Case{"TRUE", true}, Case{"true", true}, Case{"yes", false}, Case{nullptr, false}}) {
    kReceiptPrinterHandler handler;
    if (c.value) handler.fParameters.emplace_back("rtserver", c.value);
    try {
      TestDevice device(handler, std::make_unique<ScriptedIOHandler>());
      EXPECT_FALSE(c.refused) << c.value;
      EXPECT_FALSE(device.fRTServerActive);
    } catch (const std::runtime_error& e) {
      EXPECT_TRUE(c.refused);
      EXPECT_STREQ(e.what(), "RTServer is not available in this build");
    }
  }
}

TEST_F(DeviceTest, PrintSequence) {
  using Sequence = std::vector<tkFiscalPrinterPrintSection>;
  EXPECT_EQ(device->fPrintSequence, (Sequence{fpps_Lines, fpps_Payments, fpps_TrailerMessages}));
  device->AddPrintSection(fpps_Payments);
  EXPECT_EQ(device->fPrintSequence, (Sequence{fpps_Lines, fpps_Payments, fpps_TrailerMessages}));
  device->ClearPrintSequence();
  for (auto section : {fpps_Lines, fpps_TrailerMessages, fpps_Payments, fpps_Lines}) device->AddPrintSection(section);
  EXPECT_EQ(device->fPrintSequence, (Sequence{fpps_Lines, fpps_TrailerMessages, fpps_Payments}));
}

TEST_F(DeviceTest, ResetCountersKeepsDateAndText) {
  const Currency one = Currency::FromUnits(1);
  device->fCounters = {one, one, one, one, one, one, one, one, 4, 5, 6, DateTime::Encode(2021, 6, 15), "Z"};
  device->ResetCounters();
  const tkFiscalCounters& c = device->fCounters;
  for (Currency amount : {c.GrandTotalAmount, c.GrandTotalRefundsAmount, c.GrandTotalVoidsAmount, c.DayTotalAmount,
                          c.DayDiscountsAmount, c.DayReturnsAmount, c.DayRefundsAmount, c.DayVoidsAmount})
    EXPECT_TRUE(amount.IsZero());
  EXPECT_EQ(c.DayReceiptsNumber + c.DayRefundsNumber + c.ZReportNumber, 0);
  EXPECT_EQ(c.ZReportDateTime, DateTime::Encode(2021, 6, 15));
  EXPECT_EQ(c.Text, "Z");
}

TEST_F(DeviceTest, VatLookupIsExactAndCaseSensitive) {
  device->fVatTable.Add({1, "A", "22%", Currency::Parse("22")});
  device->fVatTable.Add({2, "B", "10%", Currency::Parse("10")});
  device->fVatTable.Add({3, "A", "dup", Currency::Parse("4")});
  ASSERT_NE(device->FindVat("A"), nullptr);
  EXPECT_EQ(device->FindVat("A")->fDescription, "22%") << "the first entry wins";
  EXPECT_EQ(device->GetVatIndex("B"), 2);
  EXPECT_EQ(device->GetVatIndex("b"), -1);
  EXPECT_EQ(device->GetVatIndex("Z"), -1);
  EXPECT_EQ(device->FindVat(""), nullptr);
}

TEST_F(DeviceTest, FormatDisplayLinesPlacesEachRow) {
  device->fDisplayLineLength = 20;
  const tkDisplayLine lines[] = {{"HELLO", la_center}, {"TOTAL 12,50", la_right}};
  EXPECT_EQ(device->FormatDisplayLines(lines), "       HELLO        " "         TOTAL 12,50");
}

TEST_F(DeviceTest, ZReportDateOfThisPrinter) {
  device->fSerialNumber = "DEVTEST00001";
  std::filesystem::remove(kFiscalPrinterDevice::LogDirectory() + "/DEVTEST00001_ZrepDate.stv");
  EXPECT_TRUE(device->LoadZReportDate().IsZero());
  device->SaveZReportDate(DateTime::Encode(2021, 6, 15, 9, 0));
  EXPECT_EQ(device->LoadZReportDate(), DateTime::Encode(2021, 6, 15));
}

TEST_F(DeviceTest, OperationsOfLaterFeaturesFailClearly) {
  auto message = [](const std::function<void()>& call) {
    try {
      call();
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("no failure");
  };
  _int_PRINTFR_result printfr;
  _int_PRINTZR_result printzr;
  _int_SETVATTABLE_result setvat;
  EXPECT_EQ(message([&] { device->Pub_PrintReceipt(handler, printfr); }), "PrintReceipt is not available in this build");
  EXPECT_EQ(message([&] { device->Pub_PrintZReport(handler, printzr); }), "PrintZReport is not available in this build");
  EXPECT_EQ(message([&] { device->Pub_SetVatTable(handler, setvat); }), "SetVATTable is not available in this build");
  EXPECT_EQ(message([&] { device->XReport(); }), "XReport is not available in this build");
}
