#pragma once
// The driver library as a cash-register application uses it: loaded at run time,
// its commands looked up by name, requests and answers passed as COM strings
// allocated and freed with the library's own string functions.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "QNRP_REZIDAZE_10.h"

struct CommandResult {
  int16_t Code = 0;
  std::string Output;        // the result fragment
  std::string ErrorMessage;  // the error text
};

class DriverLibrary {
public:
  static constexpr const char* kFileName = "libQNRP_REZIDAZE_10.so";

  // Loads the library; throws std::runtime_error with the loader's message.
  explicit DriverLibrary(const std::string& aPath);
  ~DriverLibrary();
  DriverLibrary(const DriverLibrary&) = delete;
  DriverLibrary& operator=(const DriverLibrary&) = delete;

  // Runs one command (an export name such as OPEN or VERSION, any letter case) with
  // its argument in UTF-8. Throws std::runtime_error for a name that is not a command.
  CommandResult Call(std::string_view aCommand, std::string_view aArgument) const;

  // The library to load: aOption when given, else $QNRP_LIBRARY, else the library
  // next to this program, else the plain file name for the loader's search path.
  static std::string Locate(const std::string& aOption);

  // The export name of aCommand (any letter case), upper case; empty when it is
  // not one of the library's commands.
  static std::string CommandName(std::string_view aCommand);

private:
  void* Symbol(const char* aName) const;

  struct Closer {
    void operator()(void* aHandle) const noexcept;
  };
  std::unique_ptr<void, Closer> fHandle;
  QNRP_SysAllocStringLenFunction fAllocStringLen = nullptr;
  QNRP_SysStringLenFunction fStringLen = nullptr;
  QNRP_SysFreeStringFunction fFreeString = nullptr;
};
