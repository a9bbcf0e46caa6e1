#pragma once
// The commands of fiscal documents: sales, refunds, voids and invoices with their
// item, adjustment, subtotal, payment, text and trailer lines, the lottery code,
// the check of a refunded or voided receipt against the journal, and the reads of
// the document number and the grand total.

class Printer;

// 1085 open sale, 1089/1052 open invoice, 4025 invoice number, 1078 text, heading,
// trailer and customer lines, 1080 sale, 1081 return or refund, 1082 deduction,
// 1083 discount or mark-up, 1086 subtotal, 1084 payment, 1087 close, 1135 lottery
// code, 9205 refund and void check, 1070 next document number, 2052 grand total.
void RegisterFiscalCommands(Printer& printer);

// Drops the open fiscal document and everything programmed for it, leaving no trace
// in the counters or the journal (the printer reset uses it).
void ClearFiscalDocument(Printer& printer);
