#include "interface/ExportFrame.h"

#include "interface/Bstr.h"
#include "runtime/Text.h"

void ClearOutputs(BSTR* aOutput, BSTR* aErrorMessage) noexcept {
  if (aOutput != nullptr) *aOutput = nullptr;
  if (aErrorMessage != nullptr) *aErrorMessage = nullptr;
}

int16_t DeliverResult(const FormattedResult& aResult, BSTR* aOutput, BSTR* aErrorMessage) {
  BstrPtr output = NewBstr(aResult.Output);
  BstrPtr errorMessage = NewBstr(aResult.ErrorMessage);
  Deliver(aOutput, std::move(output));
  Deliver(aErrorMessage, std::move(errorMessage));
  return aResult.Result;
}

int16_t DeliverInternalError(BSTR* aErrorMessage) noexcept {
  try {
    Deliver(aErrorMessage, NewBstr("Internal error: the command could not complete"));
  } catch (...) {
    // Not even the fixed text could be allocated: the result code alone reports it.
  }
  return -1;
}

int16_t RunVersion(BSTR aDriverName, BSTR* aOutput, BSTR* aErrorMessage) noexcept {
  ClearOutputs(aOutput, aErrorMessage);
  try {
    kFiscalPrinterLibrary& library = Library();
    const std::lock_guard lock(library.ExportLock());
    const std::u16string_view name = BstrView(aDriverName);
    // A name longer than any request cannot be a driver's.
    const kFiscalPrinterClass* driver =
        name.size() <= kMaxRequestLength ? library.Drivers().Find(Utf16ToUtf8(name)) : nullptr;
    if (driver != nullptr) Deliver(aOutput, NewBstr(driver->GetDriverVersion()));
    return 0;
  } catch (...) {
    return DeliverInternalError(aErrorMessage);
  }
}
