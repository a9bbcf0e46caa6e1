#include "runtime/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, GetParamValueMatchesNameColonOrEquals) {
  const std::vector<std::string> params = {"file.xml", "/Debug=1", "/PORT:COM3", "/batch", "/Mode=a=b"};
  struct Case { const char* name; bool whole; const char* result; };
  for (const Case& c : {Case{"/DEBUG", true, "/Debug=1"}, Case{"/debug", false, "1"},
                        Case{"/port", false, "COM3"}, Case{"/Port", true, "/PORT:COM3"},
                        Case{"/BATCH", true, "/batch"}, Case{"/BATCH", false, ""},
                        Case{"/mode", false, "a=b"}, Case{"/bat", true, ""},
                        Case{"/missing", true, ""}, Case{"file", true, ""}}) {
    EXPECT_EQ(GetParamValue(c.name, c.whole, params), c.result) << c.name;
  }
}

TEST(CommandLineTest, FirstMatchWins) {
  EXPECT_EQ(GetParamValue("/x", false, {"/x=1", "/X=2"}), "1");
}

TEST(CommandLineTest, ProcessParamsLeaveOutTheProgram) {
  for (const std::string& param : GetCommandLineParams()) {
    EXPECT_EQ(param.find("test_runtime"), std::string::npos) << param;
  }
}

}  // namespace
