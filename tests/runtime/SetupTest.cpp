#include "runtime/tQN_Setup.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupTest, NamesMatchIgnoringCaseAndKeepOrder) {
  tQN_Setup setup;
  setup.SetValue("Port", "COM1");
  setup.Define("Baud");
  setup.SetValue("PORT", "COM3");
  setup.SetValue("Parity", "N");
  EXPECT_EQ(setup.GetValue("port"), "COM3");
  EXPECT_EQ(setup.GetValue("baud"), "");
  EXPECT_EQ(setup.GetValue("missing"), "");
  ASSERT_EQ(setup.Entries().size(), 3u);
  EXPECT_EQ(setup.Entries()[0].fName, "Port");
  EXPECT_EQ(setup.Entries()[1].fName, "Baud");
  EXPECT_EQ(setup.Entries()[2].fName, "Parity");
  setup.Define("port");
  EXPECT_EQ(setup.GetValue("Port"), "");
}

}  // namespace
