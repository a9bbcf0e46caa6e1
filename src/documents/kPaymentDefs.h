#pragma once
// Card networks and card-reading modes reported by a payment, with their words.

#include <cstdint>
#include <string>
#include <string_view>

enum class tkPaymentNetwork : uint8_t {
  Bank,
  Cheque,
  Visa,
  Amex,
  Mastercard,
  JCB,
  CUP,
  Diners,
  Maestro,
  NHS,
  Edenred,
  Day,
  Sodexo,
  Pellegrini,
  BluTicket,
  Jakala,
  MIGLunch,
  AliPay,
  Discover,
  Doku,
  DragonPay,
  MolPay,
  VPay,
  AmazonPay,
  ApplePay,
  SamsungPay,
  Paypal,
  Yandex,
  QuiTicket,
  Repas,
  Ristomat,
  Agape,
  LunchTime,
  QuiWelfare,
  EP,
  CIR,
  Gemeaz,
  Other
};

enum tkPaymentTransactionType : uint8_t {
  ptt_Chip,
  ptt_MagStripe,
  ptt_Manual,
  ptt_Cless,
  ptt_ClessMagStripe,
  ptt_ClessChip,
  ptt_RFID,
  ptt_Other
};

// The network's word ("visa", "NHS" ...); empty text for a network without one.
std::string DecodeNetwork(tkPaymentNetwork network);
// The network whose word equals the text ignoring letter case; Other for anything else.
tkPaymentNetwork EncodeNetwork(std::string_view text);
// The reading mode's word ("CHIP" ...); empty text for ptt_RFID.
std::string DecodeTransactionType(tkPaymentTransactionType aTT);
