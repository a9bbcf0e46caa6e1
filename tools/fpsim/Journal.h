#pragma once
// The printer's electronic journal: every document the printer prints, kept line
// by line as 46-character lines, found again by kind and day, by number, or by the
// receipt reference that a refund or a void names.

#include "runtime/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

enum class DocumentType { Sale, Refund, Void, Invoice, NonFiscal, XReport, ZReport };

// The document kind character of the journal read command: "1" fiscal receipts
// (sales and voids), "2" invoices, "3" non-fiscal documents, "4" credit notes
// (refunds), "5" Z reports, "6" X reports.
char JournalKindCode(DocumentType type);

struct JournalDocument {
  DocumentType type = DocumentType::Sale;
  DateTime when;
  int number = 0;   // number of the document in its day (0 for reports)
  int closing = 0;  // number of the Z report that closes the day of the document
  std::vector<std::string> lines;  // each exactly Journal::kLineWidth characters
  bool refunded = false;
  bool voided = false;
  // Fiscal documents: the gross amount of each VAT slot (0-14) and the lottery code.
  std::vector<int64_t> vatAmounts;
  std::string lotteryCode;
};

class Journal {
public:
  static constexpr std::size_t kLineWidth = 46;

  // Stores a document; its lines are padded or cut to the journal width.
  JournalDocument& Append(DocumentType type, DateTime when, int number, int closing,
                          const std::vector<std::string>& printedLines);

  // The lines of the documents of one kind code whose day lies in [firstDay, lastDay],
  // oldest first. An unknown kind code gives no lines.
  std::vector<std::string> Read(char kindCode, DateTime firstDay, DateTime lastDay) const;

  // The fiscal document (sale, refund or void) with this day, number and closing,
  // or null.
  JournalDocument* FindFiscal(DateTime day, int number, int closing);

  const std::vector<JournalDocument>& Documents() const { return fDocuments; }

  // Plain-text form for the state file; Load replaces the journal and throws
  // std::runtime_error on text that Save did not write.
  void Save(std::ostream& out) const;
  void Load(std::istream& in);

private:
  std::vector<JournalDocument> fDocuments;
};
