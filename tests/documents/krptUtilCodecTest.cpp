// Enumeration codecs, effect lists and NormalizeText.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "documents/ErrorText.h"
#include "documents/krptUtil.h"

namespace {

using Decoder = std::function<int(std::string_view)>;

template <typename Enum>
Decoder AsInt(Enum (*decode)(std::string_view)) {
  return [decode](std::string_view text) { return static_cast<int>(decode(text)); };
}

// The decoded ordinal, or the error message when `error` is set.
struct DecodeCase {
  const char* codec;
  Decoder decode;
  std::string input;
  int ordinal;
  std::string error;
};

TEST(krptUtilCodec, DecodersIgnoreCaseAndNameTheLowerCasedInputOnFailure) {
  const auto receipt = AsInt(krptUtil::DecodeReceiptType);
  const auto line = AsInt(krptUtil::DecodeLineType);
  const auto attribute = AsInt(krptUtil::DecodeLineAttribute);
  const auto payment = AsInt(krptUtil::DecodePaymentType);
  const auto tax = AsInt(krptUtil::DecodeTaxType);
  const auto reference = AsInt(krptUtil::DecodeReferenceType);
  const auto alignment = AsInt(krptUtil::DecodeAlignment);
  const auto barcode = AsInt(krptUtil::DecodeBarcodeType);
  const auto effect = AsInt(krptUtil::DecodeEffect);
  const auto ejType = AsInt(krptUtil::DecodeEJReportType);
  const auto ejDestination = AsInt(krptUtil::DecodeEJReportDestination);
  const auto ejRequest = AsInt(krptUtil::DecodeEJRequestType);

  const std::vector<DecodeCase> cases = {
      {"receipt", receipt, "Sale", rt_Sale, ""},
      {"receipt", receipt, "INVOICESALEFROMRECEIPT", rt_InvoiceSaleFromReceipt, ""},
      {"receipt", receipt, "Sales", 0, "ReceiptType sales is invalid"},
      {"receipt", receipt, "", 0, "ReceiptType  is invalid"},
      {"receipt", receipt, " Sale", 0, "ReceiptType  sale is invalid"},
      {"line", line, "ProductSale", rlt_ProductSale, ""},
      {"line", line, "DiscountPercentageOnSubTotal", rlt_DiscountPercentageOnSubTotal, ""},
      {"line", line, "collectamount", rlt_CollectAmount, ""},
      {"line", line, "Product", 0, "LineType product is invalid"},
      {"attribute", attribute, "PRODUCT", rla_Product, ""},
      {"attribute", attribute, "Service", rla_Service, ""},
      {"attribute", attribute, "", rla_Service, ""},
      {"attribute", attribute, "goods", rla_Service, ""},
      {"payment", payment, "Cash", rpt_Cash, ""},
      {"payment", payment, "NHSCard", Rpt_NHSCard, ""},
      {"payment", payment, "change", Rpt_Change, ""},
      {"payment", payment, "Cards", 0, "PaymentType cards is invalid"},
      {"tax", tax, "VAT", tt_VAT, ""},
      {"tax", tax, "SalesTax", tt_SalesTax, ""},
      {"tax", tax, "GST", 0, "TaxType gst is invalid"},
      {"reference", reference, "EFTReceipt", rrt_EFTReceipt, ""},
      {"reference", reference, "NOTAVAILABLE", rrt_NotAvailable, ""},
      {"reference", reference, "empties", rrt_Empties, ""},
      {"reference", reference, "", rrt_OriginalReceipt, ""},
      {"reference", reference, "anything", rrt_OriginalReceipt, ""},
      {"alignment", alignment, "CENTER", la_center, ""},
      {"alignment", alignment, "Left", la_left, ""},
      {"alignment", alignment, "right", la_right, ""},
      {"alignment", alignment, "", 0, "Alignment  is invalid"},
      {"alignment", alignment, "None", 0, "Alignment none is invalid"},
      {"barcode", barcode, "EAN13", bt_EAN13, ""},
      {"barcode", barcode, "QRCode", bt_QRCODE, ""},
      {"barcode", barcode, "Interleaved2Of5", bt_Interleaved2Of5, ""},
      {"barcode", barcode, "EAN-13", 0, "BarcodeType ean-13 is invalid"},
      {"effect", effect, "Bold", le_bold, ""},
      {"effect", effect, "DoubleSize", le_doublesize, ""},
      {"effect", effect, "condensed", le_condensed, ""},
      {"effect", effect, "Blink", 0, "Effect blink is invalid"},
      {"ejType", ejType, "ZReport", ejrt_ZReport, ""},
      {"ejType", ejType, "Invoice", ejrt_Invoice, ""},
      {"ejType", ejType, "Receipt", 0, "ReportType receipt is invalid"},
      {"ejDestination", ejDestination, "Memory", rd_Memory, ""},
      {"ejDestination", ejDestination, "Screen", 0, "ReportDestination screen is invalid"},
      {"ejRequest", ejRequest, "XML", ej_xml, ""},
      {"ejRequest", ejRequest, "Json", 0, "ReferenceType json is invalid"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.codec) + " '" + c.input + "'");
    if (c.error.empty())
      EXPECT_EQ(c.decode(c.input), c.ordinal);
    else
      EXPECT_EQ(ErrorText([&] { c.decode(c.input); }), c.error);
  }
}

TEST(krptUtilCodec, EncodersWriteTheirWordsAndDecodeBack) {
  EXPECT_EQ(krptUtil::EncodeReceiptType(rt_InvoiceSale), "InvoiceSale");
  EXPECT_EQ(krptUtil::EncodeReceiptType(static_cast<tkReceiptType>(9)), "");
  EXPECT_EQ(krptUtil::EncodePaymentType(Rpt_MealVoucher), "mealvoucher");
  EXPECT_EQ(krptUtil::EncodeReferenceType(rrt_EFTReceipt), "EFTReceipt");
  EXPECT_EQ(krptUtil::EncodeReferenceType(rrt_OriginalReceipt), "OriginalReceipt");
  EXPECT_EQ(krptUtil::EncodeAlignment(la_center), "center");
  EXPECT_EQ(krptUtil::EncodeAlignment(la_none), "");
  EXPECT_EQ(krptUtil::EncodeBarcodeType(bt_UPCE), "upce");
  EXPECT_EQ(krptUtil::EncodeEffect(le_invertcolors), "invertcolors");

  for (int v = rt_Sale; v <= rt_InvoiceSaleFromReceipt; ++v)
    EXPECT_EQ(krptUtil::DecodeReceiptType(krptUtil::EncodeReceiptType(tkReceiptType(v))), v);
  for (int v = rpt_Cash; v <= Rpt_Change; ++v)
    EXPECT_EQ(krptUtil::DecodePaymentType(krptUtil::EncodePaymentType(tkReceiptPaymentType(v))), v);
  for (int v = rrt_OriginalReceipt; v <= rrt_Empties; ++v)
    EXPECT_EQ(krptUtil::DecodeReferenceType(krptUtil::EncodeReferenceType(tkReceiptReferenceType(v))), v);
  for (int v = la_right; v <= la_left; ++v)
    EXPECT_EQ(krptUtil::DecodeAlignment(krptUtil::EncodeAlignment(tkReceiptMessageLineAlignment(v))), v);
  for (int v = bt_EAN13; v <= bt_Interleaved2Of5; ++v)
    EXPECT_EQ(krptUtil::DecodeBarcodeType(krptUtil::EncodeBarcodeType(tkReceiptMessageBarcodeType(v))), v);
  for (int v = le_bold; v <= le_condensed; ++v)
    EXPECT_EQ(krptUtil::DecodeEffect(krptUtil::EncodeEffect(tkReceiptMessageLineEffect(v))), v);
}

TEST(krptUtilCodec, EffectLists) {
  using Set = tkReceiptMessageLineEffectSet;
  const auto bits = [](std::initializer_list<tkReceiptMessageLineEffect> effects) {
    Set set;
    for (auto e : effects) set.set(e);
    return set;
  };
  const std::vector<std::pair<std::string, Set>> decoded = {
      {"", Set()},
      {"bold", bits({le_bold})},
      {"bold,underline", bits({le_bold, le_underline})},
      {"BOLD,DoubleWidth", bits({le_bold, le_doublewidth})},
      {"bold,,italic", bits({le_bold})},
      {"bold,", bits({le_bold})},
      {",bold", Set()},
      {"condensed,bold,condensed", bits({le_bold, le_condensed})},
  };
  for (const auto& [text, set] : decoded) {
    SCOPED_TRACE(text);
    EXPECT_EQ(krptUtil::DecodeEffects(text), set);
  }
  EXPECT_EQ(ErrorText([] { krptUtil::DecodeEffects("bold, italic"); }), "Effect  italic is invalid");
  EXPECT_EQ(ErrorText([] { krptUtil::DecodeEffects("bold;italic"); }), "Effect bold;italic is invalid");
  EXPECT_EQ(krptUtil::DecodeEffects("italic").to_ulong(), 1u << le_italic);

  EXPECT_EQ(krptUtil::EncodeEffects(bits({le_underline, le_bold})), "bold,underline");
  EXPECT_EQ(krptUtil::EncodeEffects(bits({le_condensed, le_doubleheight})), "doubleheight,condensed");
  EXPECT_EQ(krptUtil::EncodeEffects(Set()), "");
  EXPECT_EQ(krptUtil::EncodeEffects(Set().set()),
            "bold,italic,underline,doubleheight,doublewidth,doublesize,invertcolors,condensed");
}

TEST(krptUtilCodec, NormalizeText) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"TOTALE \xE2\x82\xAC 5", "TOT. E 5"},
      {"SUBTOTALE", "SUBTOT."},
      {"TOTALETOTALE totale", "TOT.TOT. totale"},
      {"TOTAL\xC3\x88", "TOT."},  // the accented capital becomes E before TOTALE is shortened
      {"\xC3\x80\xC3\x99\xC3\x88\xC3\x89\xC3\x92\xC3\x96\xC3\x87\xC3\x8F\xC3\x8C", "AUEEOOCII"},
      {"CAFF\xC3\x88 caff\xC3\xA8", "CAFFE caff "},
      {"a\tb\r\nc", "a b  c"},
      {"del\x7F", "del\x7F"},
      {"smile \xF0\x9F\x98\x80!", "smile   !"},
      {"Stra\xC3\x9F" "e", "Stra e"},
      {"", ""},
  };
  for (const auto& [input, expected] : cases) {
    SCOPED_TRACE(input);
    EXPECT_EQ(krptUtil::NormalizeText(input), expected);
  }
}

}  // namespace
