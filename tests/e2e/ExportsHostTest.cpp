// The built library loaded as a cash-register application loads it: dlopen, the
// exports looked up by name, strings from the library's own allocator. Then the
// same answers through fpcli.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <sys/wait.h>

#include "QNRP_REZIDAZE_10.h"
#include "runtime/Text.h"

namespace {

constexpr std::array<const char*, 22> kCommands = {
    "PRINTFR",   "PRINTXR",     "PRINTZR",     "PRINTNFR",     "DISPLAY",      "OPENDR",
    "GETSTATUS", "SETDATETIME", "OPEN",        "CLOSE",        "GETDRSTATUS",  "SET",
    "EJREPORT",  "GETVATTABLE", "SETVATTABLE", "GETDEPTTABLE", "SETDEPTTABLE", "PAY",
    "REPRINTFR", "GETLOTTERYRCPTSTATUS", "GETEJFILES", "VERSION"};

const std::string kDefaultStatus =
    "<DayOpened>False</DayOpened>\r\n<DateTime>1899-12-30T00:00:00.000Z</DateTime>\r\n"
    "<PaperEnd>False</PaperEnd>\r\n<PaperNearEnd>False</PaperNearEnd>\r\n<CoverOpen>False</CoverOpen>\r\n"
    "<FiscalReceiptOpen>False</FiscalReceiptOpen>\r\n<ReceiptOpen>False</ReceiptOpen>\r\n"
    "<TrainingMode>False</TrainingMode>\r\n<FirmwareVersion></FirmwareVersion>\r\n"
    "<SerialNumber></SerialNumber>\r\n<FiscalMode></FiscalMode>\r\n<Error>True</Error>\r\n";

struct Answer {
  int16_t Code = 0;
  std::string Output;
  std::string ErrorMessage;
};

class Host {
public:
  Host() : fHandle(dlopen(QNRP_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {
    if (!fHandle) throw std::runtime_error(dlerror());
    fAlloc = reinterpret_cast<QNRP_SysAllocStringLenFunction>(dlsym(fHandle.get(), "SysAllocStringLen"));
    fLength = reinterpret_cast<QNRP_SysStringLenFunction>(dlsym(fHandle.get(), "SysStringLen"));
    fFree = reinterpret_cast<QNRP_SysFreeStringFunction>(dlsym(fHandle.get(), "SysFreeString"));
  }

  void* Symbol(const char* aName) const { return dlsym(fHandle.get(), aName); }

  Answer Call(const char* aCommand, const std::string& aRequest) const {
    const auto command = reinterpret_cast<QNRP_CommandFunction>(Symbol(aCommand));
    if (!command) throw std::runtime_error(std::string("missing export ") + aCommand);
    const std::u16string request = Utf8ToUtf16(aRequest);
    BSTR text = fAlloc(request.data(), static_cast<uint32_t>(request.size()));
    BSTR output = nullptr;
    BSTR errorMessage = nullptr;
    Answer answer;
    answer.Code = command(text, &output, &errorMessage);
    answer.Output = Text(output);
    answer.ErrorMessage = Text(errorMessage);
    fFree(text);
    fFree(output);
    fFree(errorMessage);
    return answer;
  }

private:
  std::string Text(BSTR aText) const { return Utf16ToUtf8(std::u16string_view(aText ? aText : u"", fLength(aText))); }

  struct Closer {
    void operator()(void* aHandle) const { dlclose(aHandle); }
  };
  std::unique_ptr<void, Closer> fHandle;
  QNRP_SysAllocStringLenFunction fAlloc = nullptr;
  QNRP_SysStringLenFunction fLength = nullptr;
  QNRP_SysFreeStringFunction fFree = nullptr;
};

// Runs a shell command; its standard output and exit status.
std::pair<std::string, int> RunProgram(const std::string& aCommandLine) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(aCommandLine.c_str(), "r"), pclose);
  if (!pipe) return {"", -1};
  std::string output;
  std::array<char, 4096> buffer;
  while (const size_t read = fread(buffer.data(), 1, buffer.size(), pipe.get())) output.append(buffer.data(), read);
  const int status = pclose(pipe.release());
  return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

TEST(ExportsHostTest, ExportsExactlyTheCommandsAndTheStringFunctions) {
  std::set<std::string> expected(kCommands.begin(), kCommands.end());
  expected.insert({"SysAllocString", "SysAllocStringLen", "SysStringLen", "SysFreeString"});
  const auto [symbols, status] =
      RunProgram(std::string("nm -D --defined-only --format=posix ") + QNRP_LIBRARY_PATH + " | cut -d' ' -f1");
  ASSERT_EQ(status, 0);
  std::set<std::string> exported;
  size_t start = 0;
  for (size_t end; (end = symbols.find('\n', start)) != std::string::npos; start = end + 1)
    exported.insert(symbols.substr(start, end - start));
  EXPECT_EQ(exported, expected);
}

TEST(ExportsHostTest, AnswersWithoutAPrinter) {
  const Host host;

  const Answer version = host.Call("VERSION", "QNRP_REZIDAZE_10");
  EXPECT_EQ(version.Code, 0);
  EXPECT_TRUE(std::regex_match(version.Output, std::regex(R"(Version \S+ - \d\d/\d\d/\d{4})"))) << version.Output;
  const Answer otherVersion = host.Call("VERSION", "QNRP_REZIDAZE_11");
  EXPECT_EQ(otherVersion.Code, 0);
  EXPECT_EQ(otherVersion.Output, "");

  const Answer notOpened = host.Call("GETSTATUS", "<Request><Driver>QNRP_REZIDAZE_10</Driver></Request>");
  EXPECT_EQ(notOpened.Code, -1);
  EXPECT_EQ(notOpened.ErrorMessage, "Fiscal Printer has not previously opened");
  EXPECT_EQ(notOpened.Output, kDefaultStatus +
                                  "<ErrorText>Fiscal Printer has not previously opened</ErrorText>\r\n"
                                  "<LogFileName></LogFileName>");

  const Answer unknown = host.Call("GETSTATUS", "<Request><Handle>99</Handle></Request>");
  EXPECT_EQ(unknown.Code, -1);
  EXPECT_EQ(unknown.ErrorMessage, "Printer Handle not found");

  const Answer lowerCase = host.Call("OPEN", "<Request><Driver>qnrp_rezidaze_10</Driver></Request>");
  EXPECT_EQ(lowerCase.Code, -1);
  EXPECT_EQ(lowerCase.ErrorMessage, "Fiscal Printer Driver [qnrp_rezidaze_10] not registered.");
  EXPECT_EQ(lowerCase.Output, "<Handle>0</Handle>\r\n<Error>True</Error>\r\n<ErrorText>Fiscal Printer Driver "
                              "[qnrp_rezidaze_10] not registered.</ErrorText>\r\n<LogFileName></LogFileName>");

  const Answer notXml = host.Call("GETSTATUS", "this is not a request");
  EXPECT_EQ(notXml.Code, -1);
  EXPECT_FALSE(notXml.ErrorMessage.empty());
  EXPECT_EQ(notXml.Output, kDefaultStatus + "<ErrorText>" + EscapeXml(notXml.ErrorMessage) +
                               "</ErrorText>\r\n<LogFileName></LogFileName>");
}

TEST(ExportsHostTest, FpcliGivesTheSameAnswers) {
  const auto [output, status] = RunProgram(std::string(FPCLI_PATH) + " --library " + QNRP_LIBRARY_PATH +
                                           " --script " + FPCLI_EXAMPLES + "/errors.script");
  EXPECT_EQ(status, 0) << output;
  for (const char* expected : {"Version ", "Error text: Fiscal Printer has not previously opened",
                               "Error text: Printer Handle not found",
                               "Error text: Fiscal Printer Driver [qnrp_rezidaze_10] not registered.", "Result: -1"})
    EXPECT_NE(output.find(expected), std::string::npos) << expected << "\n" << output;

  const auto [unexpected, failed] =
      RunProgram(std::string(FPCLI_PATH) + " --library " + QNRP_LIBRARY_PATH + " GETSTATUS " + FPCLI_EXAMPLES +
                 "/no-handle.xml");
  EXPECT_EQ(failed, 1) << unexpected;
}

TEST(ExportsHostTest, LibraryLoadsWhereNoLogFolderCanBeCreated) {
  const std::string fpcli = std::string("QNRP_LOG_ROOT=/proc/no-such-folder ") + FPCLI_PATH + " --library " +
                            QNRP_LIBRARY_PATH + " ";
  const auto [version, versionStatus] = RunProgram(fpcli + "VERSION QNRP_REZIDAZE_10");
  EXPECT_EQ(versionStatus, 0) << version;
  const auto [open, openStatus] =
      RunProgram(fpcli + "--expect-failure OPEN " + FPCLI_EXAMPLES + "/open-tcp.xml");
  EXPECT_EQ(openStatus, 0) << open;
  EXPECT_NE(open.find("Error text: Cannot create the log folder"), std::string::npos) << open;
}

}  // namespace
