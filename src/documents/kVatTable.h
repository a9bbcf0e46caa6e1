#pragma once
// The VAT table: the printer's VAT slots with their codes and rates. The device
// keeps one as its copy of the printer's table; requests carry one to write.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/Currency.h"

struct kVat {
  int32_t fIndex = 0;         // printer slot; never read from a request
  std::string fCode;          // the code that sale lines name
  std::string fDescription;
  Currency fRate;             // percent
};

class kVatTable {
public:
  // The first entry whose code equals aCode exactly (case-sensitive), or null.
  const kVat* Get(std::string_view aCode) const;

  void Add(kVat aVat) { fItems.push_back(std::move(aVat)); }
  void Clear() { fItems.clear(); }
  const std::vector<kVat>& Items() const { return fItems; }

private:
  std::vector<kVat> fItems;
};
