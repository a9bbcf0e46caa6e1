#pragma once
// The enumerations of the request documents. Ordinals count from 0 in the order
// declared; the devices and drivers store and compare them.

#include <bitset>
#include <cstdint>

enum tkReceiptType : uint8_t {
  rt_Sale,
  rt_Refund,
  rt_Void,
  rt_InvoiceSale,
  rt_InvoiceSaleFromReceipt
};

enum tkReceiptLineType : uint8_t {
  rlt_ProductSale,
  rlt_ProductReturn,
  rlt_WeightedProductSale,
  rlt_VoucherSale,
  rlt_VoucherRedeem,
  rlt_GiftCardSale,
  rlt_GiftCardRedeem,
  rlt_SubTotal,
  rlt_Text,
  rlt_DiscountAmount,
  rlt_DiscountPercentage,
  rlt_DiscountAmountOnSubtotal,
  rlt_DiscountPercentageOnSubTotal,
  rlt_MarkupAmount,
  rlt_MarkupPercentage,
  rlt_MarkupAmountOnSubtotal,
  rlt_MarkupPercentageOnSubTotal,
  rlt_CollectAmount
};

enum tkReceiptLineAttribute : uint8_t { rla_Product, rla_Service };

enum tkReceiptPaymentType : uint8_t {
  rpt_Cash,
  rpt_Cheque,
  rpt_CreditCard,
  rpt_DebitCard,
  rpt_Credit,
  rpt_CreditOnProducts,
  rpt_CreditOnServices,
  Rpt_GiftCard,
  Rpt_Voucher,
  Rpt_MealVoucher,
  Rpt_NHSCard,
  Rpt_Change
};

enum tkReceiptTaxType : uint8_t { tt_VAT, tt_SalesTax };

enum tkReceiptReferenceType : uint8_t {
  rrt_OriginalReceipt,
  rrt_EFTReceipt,
  rrt_NotAvailable,
  rrt_Empties
};

enum tkReceiptSection : uint8_t { rs_lead, rs_body, rs_trail };

enum tkReceiptMessageLineAlignment : uint8_t { la_none, la_right, la_center, la_left };

enum tkReceiptMessageBarcodeType : uint8_t {
  bt_EAN13,
  bt_EAN8,
  bt_CODE39,
  bt_CODE128,
  bt_QRCODE,
  bt_UPCA,
  bt_UPCE,
  bt_Interleaved2Of5
};

enum tkReceiptMessageLineEffect : uint8_t {
  le_bold,
  le_italic,
  le_underline,
  le_doubleheight,
  le_doublewidth,
  le_doublesize,
  le_invertcolors,
  le_condensed
};

// One bit per effect: bit n is the effect of ordinal n (set(le_bold), test(le_italic)).
using tkReceiptMessageLineEffectSet = std::bitset<le_condensed + 1>;

enum tkEJReportType : uint8_t {
  ejrt_ZReport,
  ejrt_FiscalReceipt,
  ejrt_NonFiscalReceipt,
  ejrt_CreditNote,
  ejrt_Invoice
};

enum tkEJReportDestination : uint8_t { rd_Printer, rd_Memory };

enum tkEJFilesRequestType : uint8_t { ej_xml };

enum tkDepartmentSalesType : uint8_t { st_Product, st_Service };

enum TkPrintLocation : uint8_t { pl_ECR, pl_EFT };
