// The fault plan: armed faults are used up frame by frame, and random faults
// depend only on the seed and the traffic.

#include "fpsim/Faults.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Summary(const FaultDecision& d) {
  return std::to_string(static_cast<int>(d.action)) + "/" + std::to_string(d.waits) + "/" +
         std::to_string(d.loseReply) + "/" + std::to_string(d.garbage) + "/" + d.replyCode + "/" +
         std::to_string(d.error);
}

std::vector<std::string> ChaosRun(uint32_t seed) {
  Faults faults(seed);
  faults.Chaos(500000);
  std::vector<std::string> decisions;
  for (int i = 0; i < 200; ++i) decisions.push_back(Summary(faults.Next(i % 2 ? "1074" : "1080")));
  return decisions;
}

TEST(FaultsTest, ChaosDependsOnlyOnTheSeed) {
  const std::vector<std::string> first = ChaosRun(11);
  EXPECT_EQ(first, ChaosRun(11));
  EXPECT_NE(first, ChaosRun(12));
  const std::string clean = Summary(FaultDecision{});
  size_t faulty = 0;
  for (const std::string& d : first) faulty += d != clean;
  EXPECT_GT(faulty, 50u);
  EXPECT_LT(faulty, 150u);
}

TEST(FaultsTest, ArmedFaultsAreUsedUpInOrderAndByCommand) {
  Faults faults(1);
  faults.Silence(1);
  faults.Nak(1);
  faults.Error("1085", 23, 2);
  faults.ReplyCode("*", 1, "9999");
  EXPECT_EQ(faults.Next("1085").action, FaultDecision::Action::Silence);
  EXPECT_EQ(faults.Next("1085").action, FaultDecision::Action::Nak);
  const FaultDecision third = faults.Next("1074");
  EXPECT_EQ(third.error, 0) << "the error is armed for 1085 only";
  EXPECT_EQ(third.replyCode, "9999");
  EXPECT_EQ(faults.Next("1085").error, 23);
  EXPECT_EQ(faults.Next("1085").error, 23);
  EXPECT_EQ(Summary(faults.Next("1085")), Summary(FaultDecision{}));
  faults.Lose(5);
  faults.Clear();
  EXPECT_FALSE(faults.Next("1085").loseReply);
}

}  // namespace
