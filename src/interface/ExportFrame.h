#pragma once
// The frame of every export: clear the outputs, run the command object under the
// library's lock, hand its answers to the host. Nothing leaves as an exception;
// when even the answer cannot be built, the result is -1 with a fixed short text.
// The exports themselves (Exports.cpp) are one line each.

#include <cstdint>
#include <mutex>

#include "QNRP_REZIDAZE_10.h"
#include "interface/ResultFormat.h"
#include "interface/kFiscalPrinterLibrary.h"

// Sets both outputs to the empty string (null), skipping null pointers; what they
// held belongs to the host and is not freed.
void ClearOutputs(BSTR* aOutput, BSTR* aErrorMessage) noexcept;
// Converts and hands over the fragment and the error text; returns the result code.
int16_t DeliverResult(const FormattedResult& aResult, BSTR* aOutput, BSTR* aErrorMessage);
// The answer when a call could not build its own: -1 and a fixed text.
int16_t DeliverInternalError(BSTR* aErrorMessage) noexcept;

template <class TCommand>
int16_t RunExport(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage) noexcept {
  ClearOutputs(aOutput, aErrorMessage);
  try {
    kFiscalPrinterLibrary& library = Library();
    const std::lock_guard lock(library.ExportLock());
    TCommand command(library.Drivers(), library.Devices());
    command.Process(aXml);
    return DeliverResult(command.Format(), aOutput, aErrorMessage);
  } catch (...) {
    return DeliverInternalError(aErrorMessage);
  }
}

// VERSION: aDriverName is a driver name, not a request. The output is the driver's
// version text when the registry holds that name (exact case), empty otherwise;
// the result is 0.
int16_t RunVersion(BSTR aDriverName, BSTR* aOutput, BSTR* aErrorMessage) noexcept;
