#include "Journal.h"

#include "Printer.h"

#include <sstream>
#include <stdexcept>

char JournalKindCode(DocumentType type) {
  switch (type) {
    case DocumentType::Sale:
    case DocumentType::Void: return '1';
    case DocumentType::Invoice: return '2';
    case DocumentType::NonFiscal: return '3';
    case DocumentType::Refund: return '4';
    case DocumentType::ZReport: return '5';
    case DocumentType::XReport: return '6';
  }
  return '0';
}

JournalDocument& Journal::Append(DocumentType type, DateTime when, int number, int closing,
                                 const std::vector<std::string>& printedLines) {
  JournalDocument document;
  document.type = type;
  document.when = when;
  document.number = number;
  document.closing = closing;
  for (const std::string& line : printedLines) document.lines.push_back(Fit(line, kLineWidth));
  fDocuments.push_back(std::move(document));
  return fDocuments.back();
}

std::vector<std::string> Journal::Read(char kindCode, DateTime firstDay, DateTime lastDay) const {
  const DateTime from = firstDay.DatePart();
  const DateTime until = lastDay.DatePart();
  std::vector<std::string> lines;
  for (const JournalDocument& document : fDocuments) {
    const DateTime day = document.when.DatePart();
    if (JournalKindCode(document.type) != kindCode || day < from || day > until) continue;
    lines.insert(lines.end(), document.lines.begin(), document.lines.end());
  }
  return lines;
}

JournalDocument* Journal::FindFiscal(DateTime day, int number, int closing) {
  for (JournalDocument& document : fDocuments) {
    const bool fiscal = document.type == DocumentType::Sale || document.type == DocumentType::Refund ||
                        document.type == DocumentType::Void;
    if (fiscal && document.number == number && document.closing == closing &&
        document.when.DatePart() == day.DatePart())
      return &document;
  }
  return nullptr;
}

void Journal::Save(std::ostream& out) const {
  out << "journal " << fDocuments.size() << '\n';
  for (const JournalDocument& d : fDocuments) {
    out << "document " << static_cast<int>(d.type) << ' ' << d.when.Milliseconds() << ' ' << d.number << ' '
        << d.closing << ' ' << d.refunded << ' ' << d.voided << ' ' << d.lines.size() << ' '
        << (d.lotteryCode.empty() ? "-" : d.lotteryCode) << ' ' << d.vatAmounts.size();
    for (int64_t amount : d.vatAmounts) out << ' ' << amount;
    out << '\n';
    for (const std::string& line : d.lines) out << '|' << line << '\n';
  }
}

namespace {

constexpr std::size_t kMaxVatSlots = 15;

std::string ReadLine(std::istream& in) {
  std::string line;
  if (!std::getline(in, line)) throw std::runtime_error("Journal: unexpected end of the state file");
  return line;
}

}  // namespace

void Journal::Load(std::istream& in) {
  std::string word;
  std::size_t count = 0;
  std::istringstream head(ReadLine(in));
  if (!(head >> word >> count) || word != "journal") throw std::runtime_error("Journal: bad state header");
  std::vector<JournalDocument> documents;
  for (std::size_t i = 0; i < count; ++i) {
    std::istringstream fields(ReadLine(in));
    int type = 0;
    int64_t ms = 0;
    std::size_t lines = 0, amounts = 0;
    JournalDocument d;
    if (!(fields >> word >> type >> ms >> d.number >> d.closing >> d.refunded >> d.voided >> lines >>
          d.lotteryCode >> amounts) ||
        word != "document" || type < 0 || type > static_cast<int>(DocumentType::ZReport) || amounts > kMaxVatSlots)
      throw std::runtime_error("Journal: bad document record in the state file");
    if (d.lotteryCode == "-") d.lotteryCode.clear();
    d.vatAmounts.resize(amounts);
    for (int64_t& amount : d.vatAmounts)
      if (!(fields >> amount)) throw std::runtime_error("Journal: bad document record in the state file");
    d.type = static_cast<DocumentType>(type);
    d.when = DateTime::FromMilliseconds(ms);
    for (std::size_t l = 0; l < lines; ++l) {
      const std::string line = ReadLine(in);
      if (line.size() != kLineWidth + 1 || line[0] != '|')
        throw std::runtime_error("Journal: bad line in the state file");
      d.lines.push_back(line.substr(1));
    }
    documents.push_back(std::move(d));
  }
  fDocuments = std::move(documents);
}
