#include "documents/kPaymentDefs.h"

#include <array>

#include "documents/WordTable.h"

namespace {

constexpr std::size_t kNetworkCount = static_cast<std::size_t>(tkPaymentNetwork::Other) + 1;

// Words by ordinal; AliPay (17) to Gemeaz (36) have none.
constexpr std::array<std::string_view, kNetworkCount> kNetworkWords = {
    "bank",    "cheque",    "visa",   "amex",   "mastercard", "jcb",        "cup",
    "diners",  "maestro",   "NHS",    "edenred", "day",       "sodexo",     "pellegrini",
    "bluticket", "jakala",  "miglunch",
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    "other"};

constexpr std::array<std::string_view, ptt_Other + 1> kTransactionTypeWords = {
    "CHIP", "MAGSTRIPE", "MANUAL", "CLESS", "CLESSMAGSTRIPE", "CLESSCHIP", "", "OTHER"};

}  // namespace

std::string DecodeNetwork(tkPaymentNetwork network) {
  return WordOf(static_cast<std::size_t>(network), kNetworkWords);
}

tkPaymentNetwork EncodeNetwork(std::string_view text) {
  const auto ordinal = FindWordIgnoreCase(text, kNetworkWords);
  return ordinal ? static_cast<tkPaymentNetwork>(*ordinal) : tkPaymentNetwork::Other;
}

std::string DecodeTransactionType(tkPaymentTransactionType aTT) {
  return WordOf(aTT, kTransactionTypeWords);
}
