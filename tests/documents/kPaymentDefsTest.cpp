// Words of the card networks and card-reading modes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/kPaymentDefs.h"

namespace {

TEST(kPaymentDefs, EncodeNetworkMatchesWordsIgnoringCaseAndFallsBackToOther) {
  const std::vector<std::pair<std::string, tkPaymentNetwork>> cases = {
      {"VISA", tkPaymentNetwork::Visa},         {"nhs", tkPaymentNetwork::NHS},
      {"NHS", tkPaymentNetwork::NHS},           {"bank", tkPaymentNetwork::Bank},
      {"MIGLunch", tkPaymentNetwork::MIGLunch}, {"Other", tkPaymentNetwork::Other},
      {"alipay", tkPaymentNetwork::Other},      {"", tkPaymentNetwork::Other},
      {" visa", tkPaymentNetwork::Other},
  };
  for (const auto& [text, network] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(EncodeNetwork(text), network);
  }
}

TEST(kPaymentDefs, DecodeWritesTheWordOrEmptyText) {
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::Bank), "bank");
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::NHS), "NHS");
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::MIGLunch), "miglunch");
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::AliPay), "");
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::Gemeaz), "");
  EXPECT_EQ(DecodeNetwork(tkPaymentNetwork::Other), "other");
  for (int n = 0; n <= static_cast<int>(tkPaymentNetwork::MIGLunch); ++n)
    EXPECT_EQ(static_cast<int>(EncodeNetwork(DecodeNetwork(tkPaymentNetwork(n)))), n);

  EXPECT_EQ(DecodeTransactionType(ptt_Chip), "CHIP");
  EXPECT_EQ(DecodeTransactionType(ptt_ClessMagStripe), "CLESSMAGSTRIPE");
  EXPECT_EQ(DecodeTransactionType(ptt_ClessChip), "CLESSCHIP");
  EXPECT_EQ(DecodeTransactionType(ptt_RFID), "");
  EXPECT_EQ(DecodeTransactionType(ptt_Other), "OTHER");
}

}  // namespace
