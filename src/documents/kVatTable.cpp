#include "documents/kVatTable.h"

#include <algorithm>

const kVat* kVatTable::Get(std::string_view aCode) const {
  auto found = std::find_if(fItems.begin(), fItems.end(), [aCode](const kVat& vat) { return vat.fCode == aCode; });
  return found != fItems.end() ? &*found : nullptr;
}
