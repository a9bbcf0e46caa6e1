#include "epson/EpsonErrorText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace epson {

namespace {

struct ErrorText {
  int code;
  std::string_view text;
};

constexpr std::array<ErrorText, 30> kErrorTexts{{
    {2, "CARTA SCONTRINO"},      {3, "OFFLINE"},
    {7, "SLIP KO"},              {8, "TASTO ERRATO"},
    {9, "DATA INFERIORE"},       {10, "DATA ERRATA"},
    {11, "SEQUENZA ERRATA"},     {12, "DATI INESISTENTI"},
    {13, "VALORE ERRATO"},       {14, "PROG MATRICOLA"},
    {15, "GIA ESISTENTE"},       {16, "NON PREVISTO"},
    {17, "IMPOSSIBILE ORA"},     {18, "NON POSSIBILE"},
    {19, "SCRITTA INVALIDA"},    {20, "SUPERA VALORE"},
    {21, "SUPERA LIMITE"},       {22, "NON PROGRAMMATO"},
    {23, "CHIUDI SCONTRINO"},    {24, "CHIUDI PAGAMENTO"},
    {25, "MANCA OPERATORE"},     {26, "CASSA INFERIORE"},
    {27, "OLTRE PROGRAMMAZIONE"}, {28, "P.C. NON CONNESSO"},
    {29, "MANCA MODULO"},        {30, "CHECKSUM ERRATO"},
    {34, "MANCA ATTIVAZIONE"},   {35, "SLIP:CONNESSIONE ?"},
    {37, "RIMUOVERE MODULO"},    {38, "EFT-POS in ERRORE"},
}};

}  // namespace

std::string GetPrinterErrorText(int code) {
  auto found = std::find_if(kErrorTexts.begin(), kErrorTexts.end(),
                            [code](const ErrorText& entry) { return entry.code == code; });
  return std::string(found != kErrorTexts.end() ? found->text : "ERRORE SCONOSCIUTO");
}

}  // namespace epson
