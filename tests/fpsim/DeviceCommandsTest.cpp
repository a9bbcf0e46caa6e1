// Drawer, customer display, card terminal, reset and non-fiscal documents.

#include "SimulatorHarness.h"

#include <gtest/gtest.h>

using namespace fpsim_test;

namespace {

class RecordingPaper : public PaperSink {
public:
  void PrintLine(std::string_view text, int) override { lines.emplace_back(text); }
  void Cut() override { ++cuts; }

  std::vector<std::string> lines;
  int cuts = 0;
};

struct Session {
  explicit Session(const std::function<void(Printer&)>& setup = {})
      : simulator(Options{},
                  [&](Printer& p) {
                    p.SetPaper(&paper);
                    if (setup) setup(p);
                  }),
        host(HostLine::Tcp(simulator.Sim().TcpPort())),
        control(simulator.Sim().ControlPort()) {}

  ReplyFrame Send(const std::string& code, const std::string& data = {}) { return host.Exchange(++counter, code, data); }

  RecordingPaper paper;
  RunningSimulator simulator;
  HostLine host;
  ControlLine control;
  int counter = 0;
};

const std::string kCardPayment = "01" "000001250" "2" "01" "1";  // 12.50 on the terminal

TEST(DeviceCommandsTest, DrawerOpensByCommandAndShowsInTheStatus) {
  Session session;
  EXPECT_EQ(session.Send("1074", "01").Rd(15, 15), "1");
  EXPECT_EQ(session.Send("1050", "01").Error(), 0);
  EXPECT_EQ(session.Send("1074", "01").Rd(15, 15), "0");
  EXPECT_EQ(session.control.Run("drawer closed"), "OK");
  EXPECT_EQ(session.Send("1074", "01").Rd(15, 15), "1");
}

TEST(DeviceCommandsTest, DisplayKeepsTwoLinesOfTwentyCharacters) {
  Session session;
  EXPECT_EQ(session.Send("1062", "011" "BENVENUTI           TOTALE EUR 12,50    " "00").Error(), 0);
  EXPECT_EQ(session.control.Run("display"), "OK [BENVENUTI           ][TOTALE EUR 12,50    ]");
  EXPECT_EQ(session.Send("1062", "011" + std::string(40, ' ') + "00").Error(), 0);
  EXPECT_EQ(session.control.Run("display"), "OK [" + std::string(20, ' ') + "][" + std::string(20, ' ') + "]");
  EXPECT_EQ(session.Send("1062", "011" + std::string(41, 'X') + "00").Error(), 13);
}

TEST(DeviceCommandsTest, CardPaymentAnswersWithTheConfiguredOutcome) {
  const struct {
    const char* outcome;
    int error;
    const char* answerCode;  // characters 11-12 of the terminal's answer (RD 27 on)
  } cases[] = {{"00", 0, "00"}, {"05", 0, "05"}, {"offline", 38, ""}};
  for (const auto& c : cases) {
    Session session;
    ASSERT_EQ(session.control.Run(std::string("card ") + c.outcome), "OK");
    session.host.Write(Frame(1, "1084", kCardPayment));
    std::string handshake;
    const ReplyFrame reply = session.host.ReadReply(&handshake);
    EXPECT_EQ(handshake, std::string(1, ACK) + WAIT) << "a card payment takes time";
    EXPECT_EQ(reply.Error(), c.error) << c.outcome;
    if (c.error != 0) continue;
    const std::string answer = reply.Data().substr(26);
    EXPECT_EQ(answer.substr(10, 2), c.answerCode) << c.outcome;
    EXPECT_EQ(answer.substr(12, 9), "000001250") << c.outcome;
  }
}

TEST(DeviceCommandsTest, CardPaymentSlipPrintsInANonFiscalDocument) {
  Session session;
  EXPECT_EQ(session.Send("1063", "01").Error(), 0);
  EXPECT_EQ(session.Send("1078", "0180001").Error(), 12) << "no payment yet";
  EXPECT_EQ(session.Send("1065", "01").Error(), 0);
  EXPECT_EQ(session.Send("1084", kCardPayment).Error(), 0);
  EXPECT_EQ(session.Send("1063", "01").Error(), 0);
  EXPECT_EQ(session.Send("1078", "0180001").Error(), 0);
  EXPECT_EQ(session.Send("1065", "01").Error(), 0);
  session.simulator.Shutdown();
  bool amountPrinted = false;
  for (const std::string& line : session.paper.lines) amountPrinted |= line == "IMPORTO EUR 12,50";
  EXPECT_TRUE(amountPrinted);
}

TEST(DeviceCommandsTest, CardPaymentIsRefusedWhileADocumentIsOpen) {
  Session session([](Printer& p) { p.state.document = DocumentState::FiscalReceipt; });
  EXPECT_EQ(session.Send("1084", kCardPayment).Error(), 23);
}

TEST(DeviceCommandsTest, NonFiscalDocumentPrintsItsLinesBetweenHeaderAndFooter) {
  Session session;
  EXPECT_EQ(session.Send("1063", "01").Error(), 0);
  EXPECT_EQ(session.Send("1074", "01").Rd(16, 16), "2");
  EXPECT_EQ(session.Send("1064", "011" "RIGA DI PROVA").Error(), 0);
  EXPECT_EQ(session.Send("1064", "011" "\x7F" + std::string(39, ' ')).Error(), 0);
  EXPECT_EQ(session.Send("1075", "01" "901105021" "00" "73" "{A12345").Error(), 0);
  EXPECT_EQ(session.Send("1065", "01").Error(), 0);
  EXPECT_EQ(session.Send("1074", "01").Rd(16, 16), "1");
  session.simulator.Shutdown();

  const std::vector<std::string>& lines = session.paper.lines;
  ASSERT_GE(lines.size(), 7u);
  EXPECT_NE(lines[0].find("NEGOZIO DI PROVA"), std::string::npos) << "parameter 11 prints the header";
  EXPECT_EQ(lines[4], "RIGA DI PROVA");
  EXPECT_EQ(lines[5], "\x7F" + std::string(39, ' '));
  EXPECT_EQ(lines[6], "[BARCODE {A12345]");
  EXPECT_EQ(lines.back(), "NON FISCALE");
  EXPECT_EQ(session.paper.cuts, 1);
  const Printer& printer = session.simulator.Sim().GetPrinter();
  ASSERT_EQ(printer.state.journal.Documents().size(), 1u);
  EXPECT_EQ(printer.state.journal.Documents()[0].type, DocumentType::NonFiscal);
  EXPECT_EQ(printer.state.journal.Documents()[0].number, 1);
}

TEST(DeviceCommandsTest, NonFiscalCommandsOutOfSequenceAreRefused) {
  Session session;
  const struct {
    const char* code;
    std::string data;
    int error;
  } steps[] = {
      {"1064", "011TESTO", 11},   // no document open
      {"1065", "01", 11},
      {"1075", "01" "901305021" "00" "67" "123456789012", 11},
      {"1063", "01", 0},
      {"1063", "01", 11},         // already open
      {"1064", "015TESTO", 13},   // size code 5
      {"1064", "011" + std::string(47, 'X'), 19},
      {"1075", "01" "901305021" "00" "67" "12345", 13},  // EAN13 needs 12 or 13 digits
      {"1075", "01" "901305021" "00" "99" "12345", 13},  // unknown symbology
      {"4005", "03050000", 23},   // settings wait for the document to close
      {"1065", "01", 0},
  };
  for (const auto& step : steps)
    EXPECT_EQ(session.Send(step.code, step.data).Error(), step.error) << step.code << " " << step.data;
}

TEST(DeviceCommandsTest, PaperEndAndOpenCoverStopPrintingButNotStatus) {
  Session session;
  ASSERT_EQ(session.control.Run("paper end"), "OK");
  EXPECT_EQ(session.Send("1063", "01").Error(), 2);
  EXPECT_EQ(session.Send("1074", "01").Rd(13, 13), "3");
  ASSERT_EQ(session.control.Run("paper ok"), "OK");
  ASSERT_EQ(session.control.Run("cover open"), "OK");
  EXPECT_EQ(session.Send("1063", "01").Error(), 3);
  ASSERT_EQ(session.control.Run("cover closed"), "OK");
  EXPECT_EQ(session.Send("1063", "01").Error(), 0);
}

TEST(DeviceCommandsTest, ResetCancelsTheOpenDocument) {
  const struct {
    const char* name;
    DocumentState document;
    const char* lastLine;
  } cases[] = {
      {"non-fiscal", DocumentState::NonFiscal, "NON FISCALE"},
      {"fiscal receipt", DocumentState::FiscalReceipt, "*** DOCUMENTO ANNULLATO ***"},
      {"payment", DocumentState::PaymentStarted, "*** DOCUMENTO ANNULLATO ***"},
  };
  for (const auto& c : cases) {
    Session session([&](Printer& p) {
      p.state.document = c.document;
      p.state.lines.push_back(ReceiptLine{});
    });
    EXPECT_EQ(session.Send("1088", "01").Error(), 0) << c.name;
    EXPECT_EQ(session.Send("1074", "01").Rd(16, 16), "1") << c.name;
    session.simulator.Shutdown();
    ASSERT_FALSE(session.paper.lines.empty()) << c.name;
    EXPECT_EQ(session.paper.lines.back(), c.lastLine) << c.name;
    EXPECT_TRUE(session.simulator.Sim().GetPrinter().state.lines.empty()) << c.name;
  }
}

}  // namespace
