// The exported functions and the COM strings at the boundary, called as a host
// calls them: ordinary and hostile requests, null pointers, two threads.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "QNRP_REZIDAZE_10.h"
#include "interface/Bstr.h"
#include "runtime/Text.h"

namespace {

struct Answer {
  int16_t Code = 0;
  std::string Output;
  std::string ErrorMessage;
};

std::string Utf8Of(BSTR aText) { return Utf16ToUtf8(std::u16string_view(aText ? aText : u"", SysStringLen(aText))); }

Answer Call(QNRP_CommandFunction aCommand, BSTR aRequest) {
  BSTR output = reinterpret_cast<BSTR>(0x1);  // whatever the host left there is overwritten, not freed
  BSTR errorMessage = reinterpret_cast<BSTR>(0x1);
  Answer answer;
  answer.Code = aCommand(aRequest, &output, &errorMessage);
  answer.Output = Utf8Of(output);
  answer.ErrorMessage = Utf8Of(errorMessage);
  SysFreeString(output);
  SysFreeString(errorMessage);
  return answer;
}

Answer Call(QNRP_CommandFunction aCommand, const std::u16string& aRequest) {
  BstrPtr request(SysAllocStringLen(aRequest.data(), static_cast<uint32_t>(aRequest.size())));
  return Call(aCommand, request.get());
}

Answer Call(QNRP_CommandFunction aCommand, const std::string& aRequest) {
  return Call(aCommand, Utf8ToUtf16(aRequest));
}

TEST(BstrTest, AllocatesWithLengthPrefixAndTerminator) {
  BstrPtr text(SysAllocString(u"Caff\u00e8 \U0001F600"));
  ASSERT_TRUE(text);
  EXPECT_EQ(SysStringLen(text.get()), 8u);
  uint32_t prefix = 0;
  std::memcpy(&prefix, reinterpret_cast<const char*>(text.get()) - 4, 4);
  EXPECT_EQ(prefix, 16u);
  EXPECT_EQ(text.get()[8], u'\0');
  EXPECT_EQ(Utf8Of(text.get()), "Caff\u00e8 \U0001F600");

  BstrPtr zeroed(SysAllocStringLen(nullptr, 3));
  EXPECT_EQ(std::u16string_view(zeroed.get(), 4), std::u16string_view(u"\0\0\0\0", 4));
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  SysFreeString(nullptr);
  EXPECT_EQ(SysAllocStringLen(u"x", 0xFFFFFFFFu), nullptr);
}

TEST(BstrTest, ReadsNoFurtherThanThePrefixOrTheFirstNul) {
  BstrPtr text(SysAllocString(u"abcd"));
  const uint32_t odd = 5;
  std::memcpy(reinterpret_cast<char*>(text.get()) - 4, &odd, 4);
  EXPECT_EQ(BstrView(text.get()), u"ab") << "an odd final byte is ignored";
  const uint32_t overstated = 4000;
  std::memcpy(reinterpret_cast<char*>(text.get()) - 4, &overstated, 4);
  EXPECT_EQ(BstrView(text.get()), u"abcd") << "the terminator ends an overstated string";
  EXPECT_EQ(BstrView(nullptr), u"");
}

TEST(ExportsTest, VersionAnswersOnlyForTheRegisteredName) {
  const Answer known = Call(VERSION, std::string("QNRP_REZIDAZE_10"));
  EXPECT_EQ(known.Code, 0);
  EXPECT_EQ(known.Output.rfind("Version ", 0), 0u) << known.Output;
  EXPECT_EQ(known.ErrorMessage, "");
  for (const char* other : {"qnrp_rezidaze_10", " QNRP_REZIDAZE_10", ""}) {
    const Answer answer = Call(VERSION, std::string(other));
    EXPECT_EQ(answer.Code, 0) << other;
    EXPECT_EQ(answer.Output, "") << other;
  }
}

TEST(ExportsTest, NullOutputPointersAreSkipped) {
  BstrPtr request(SysAllocString(u"<Request/>"));
  EXPECT_EQ(GETSTATUS(request.get(), nullptr, nullptr), -1);
  EXPECT_EQ(VERSION(request.get(), nullptr, nullptr), 0);
  BSTR output = nullptr;
  EXPECT_EQ(CLOSE(nullptr, &output, nullptr), -1);
  EXPECT_NE(Utf8Of(output).find("<Error>True</Error>"), std::string::npos);
  SysFreeString(output);
}

TEST(ExportsTest, HostileRequestsGiveAClearAnswer) {
  struct Case {
    std::string Name;
    std::u16string Request;
    std::string ErrorMessage;  // empty: any non-empty text
  };
  const std::string notOpened = "Fiscal Printer has not previously opened";
  std::string deep;
  for (int i = 0; i < 200000; ++i) deep += "<a>";
  std::string manyParameters = "<Request><Parameters>";
  for (int i = 0; i < 500000; ++i) manyParameters += "<p" + std::to_string(i) + "/>";
  manyParameters += "</Parameters></Request>";
  std::string large = "<Request><Driver>QNRP_REZIDAZE_10</Driver><Pad>" + std::string(10 * 1024 * 1024, 'x') +
                      "</Pad></Request>";
  const Case cases[] = {
      {"null request", u"", ""},
      {"not XML", u"PRINT THIS", ""},
      {"deep nesting", Utf8ToUtf16(deep), ""},
      {"10 MB request", Utf8ToUtf16(large), notOpened},
      {"500000 distinct parameters", Utf8ToUtf16(manyParameters), notOpened},
      {"entity in a DOCTYPE", u"<!DOCTYPE r [<!ENTITY e 'x'>]><r><Handle>&e;</Handle></r>", ""},
      {"lone surrogate", std::u16string(u"<Request><LogId>\xD800</LogId></Request>"), notOpened},
      {"NUL inside", std::u16string(u"<Request/>\0garbage", 18), notOpened},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const Answer answer = Call(GETSTATUS, c.Request);
    EXPECT_EQ(answer.Code, -1);
    if (c.ErrorMessage.empty())
      EXPECT_FALSE(answer.ErrorMessage.empty());
    else
      EXPECT_EQ(answer.ErrorMessage, c.ErrorMessage);
    EXPECT_NE(answer.Output.find("<Error>True</Error>"), std::string::npos);
  }
}

TEST(ExportsTest, RequestBeyondTheLimitIsRefused) {
  std::u16string huge(kMaxRequestLength + 1, u' ');
  const Answer answer = Call(PRINTFR, huge);
  EXPECT_EQ(answer.Code, -1);
  EXPECT_EQ(answer.ErrorMessage.rfind("Request too large", 0), 0u) << answer.ErrorMessage;
}

TEST(ExportsTest, CallsFromTwoThreadsGetTheirOwnAnswers) {
  const auto worker = [](QNRP_CommandFunction aCommand, std::string aRequest, std::string aExpected, bool* aAllRight) {
    for (int i = 0; i < 200; ++i) {
      const Answer answer = Call(aCommand, aRequest);
      *aAllRight = *aAllRight && answer.Code == -1 && answer.ErrorMessage == aExpected;
    }
  };
  bool first = true, second = true;
  std::thread a(worker, GETSTATUS, "<Request><Handle>77</Handle></Request>", "Printer Handle not found", &first);
  std::thread b(worker, OPEN, "<Request><Driver>X</Driver></Request>", "Fiscal Printer Driver [X] not registered.",
                &second);
  a.join();
  b.join();
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
}

}  // namespace
