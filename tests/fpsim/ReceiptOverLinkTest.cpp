// A whole day over the wire: a sale and a Z report sent as hand-built frames over TCP,
// the closing file fetched from the web server with digest credentials, and the
// paper written to its file.

#include "FiscalPrinterFixture.h"
#include "HttpFetch.h"
#include "SimulatorHarness.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace fpsim_test;
using namespace fiscal_test;

namespace {

TEST(ReceiptOverLink, SaleAndZReportOverTcpPublishTheClosingBehindDigest) {
  const std::string paperFile = ::testing::TempDir() + "fpsim-receipt-over-link-paper.txt";
  std::remove(paperFile.c_str());
  Options options;
  options.paperFile = paperFile;
  options.http = "127.0.0.1:0";
  options.httpAuth = "digest";
  options.httpUser = "epson";
  options.httpPassword = "epson";
  RunningSimulator simulator(options);
  HostLine host = HostLine::Tcp(simulator.Sim().TcpPort());
  int counter = 0;
  const auto send = [&](const std::string& code, const std::string& data) {
    const ReplyFrame reply = host.Exchange(++counter, code, data);
    EXPECT_FALSE(reply.IsError()) << code << " error " << reply.Error();
    EXPECT_TRUE(reply.ChecksumOk()) << code;
    return reply;
  };

  EXPECT_EQ(send("1085", "01").Code(), "1085");
  send("1080", "01" + T("ACQUA NATURALE", 32) + "0002000" + "000000061" + "01" + "1");
  const ReplyFrame paid = send("1084", "01" + T("CONTANTI", 32) + "000000500" + "000" + "1");
  EXPECT_EQ(paid.Rd(3, 3), "1");
  EXPECT_EQ(paid.Rd(4, 12), "000000378");
  EXPECT_EQ(paid.Rd(23, 26), "0001");
  send("1087", "01");
  EXPECT_EQ(send("1070", "01").Rd(3, 6), "0002");
  const std::string day = DateTime::Now().Format("yyyymmdd");
  send("3001", "01");
  EXPECT_EQ(send("2052", "").Rd(15, 18), "0001");

  const uint16_t port = static_cast<uint16_t>(simulator.Sim().HttpPort());
  EXPECT_EQ(fpsim_http::Fetch(port, "/www/dati-rt/" + day + "/").status, 401);
  const auto listing = fpsim_http::Fetch(port, "/www/dati-rt/" + day + "/", CURLAUTH_DIGEST, "epson", "epson");
  ASSERT_EQ(listing.status, 200);
  const size_t link = listing.body.find("<a href=\"99MEX012345-" + day + "T");
  ASSERT_NE(link, std::string::npos) << listing.body;
  const std::string name = listing.body.substr(link + 9, listing.body.find('"', link + 9) - link - 9);
  const auto xml = fpsim_http::Fetch(port, "/www/dati-rt/" + day + "/" + name, CURLAUTH_DIGEST, "epson", "epson");
  EXPECT_NE(xml.body.find("<AliquotaIVA>22.00</AliquotaIVA><Imposta>0.22</Imposta>"), std::string::npos) << xml.body;
  EXPECT_NE(xml.body.find("<Ammontare>1.00</Ammontare>"), std::string::npos) << xml.body;

  simulator.Shutdown();
  std::ifstream paper(paperFile);
  std::stringstream printed;
  printed << paper.rdbuf();
  EXPECT_NE(printed.str().find("ACQUA NATURALE"), std::string::npos);
  EXPECT_NE(printed.str().find("RAPPORTO   FISCALE"), std::string::npos);
  EXPECT_NE(printed.str().find("DOC.N. 0001-0001"), std::string::npos);
}

}  // namespace
