#include "DriverLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "Utf16.h"

namespace {

constexpr std::array<std::string_view, 22> kCommands = {
    "PRINTFR", "PRINTXR",     "PRINTZR",      "PRINTNFR",     "DISPLAY",     "OPENDR",
    "GETSTATUS", "SETDATETIME", "OPEN",       "CLOSE",        "GETDRSTATUS", "SET",
    "EJREPORT", "GETVATTABLE", "SETVATTABLE", "GETDEPTTABLE", "SETDEPTTABLE", "PAY",
    "REPRINTFR", "GETLOTTERYRCPTSTATUS", "GETEJFILES", "VERSION"};

std::string ToUpper(std::string_view aText) {
  std::string upper(aText);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c); });
  return upper;
}

std::filesystem::path ExecutableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

}  // namespace

void DriverLibrary::Closer::operator()(void* aHandle) const noexcept { dlclose(aHandle); }

DriverLibrary::DriverLibrary(const std::string& aPath) : fHandle(dlopen(aPath.c_str(), RTLD_NOW | RTLD_LOCAL)) {
  if (!fHandle) {
    const char* reason = dlerror();
    throw std::runtime_error("cannot load " + aPath + ": " + (reason ? reason : "unknown error"));
  }
  fAllocStringLen = reinterpret_cast<QNRP_SysAllocStringLenFunction>(Symbol("SysAllocStringLen"));
  fStringLen = reinterpret_cast<QNRP_SysStringLenFunction>(Symbol("SysStringLen"));
  fFreeString = reinterpret_cast<QNRP_SysFreeStringFunction>(Symbol("SysFreeString"));
}

DriverLibrary::~DriverLibrary() = default;

void* DriverLibrary::Symbol(const char* aName) const {
  void* symbol = dlsym(fHandle.get(), aName);
  if (symbol == nullptr) throw std::runtime_error(std::string("the library has no function ") + aName);
  return symbol;
}

std::string DriverLibrary::CommandName(std::string_view aCommand) {
  std::string name = ToUpper(aCommand);
  return std::find(kCommands.begin(), kCommands.end(), name) != kCommands.end() ? name : std::string();
}

CommandResult DriverLibrary::Call(std::string_view aCommand, std::string_view aArgument) const {
  const std::string name = CommandName(aCommand);
  if (name.empty()) throw std::runtime_error("unknown command " + std::string(aCommand));
  const auto command = reinterpret_cast<QNRP_CommandFunction>(Symbol(name.c_str()));

  const std::u16string request = ToUtf16(aArgument);
  const auto freeString = [this](BSTR aText) { fFreeString(aText); };
  std::unique_ptr<OLECHAR, decltype(freeString)> requestText(
      fAllocStringLen(request.data(), static_cast<uint32_t>(request.size())), freeString);
  if (!requestText && !request.empty()) throw std::runtime_error("the library could not allocate the request");

  BSTR output = nullptr;
  BSTR errorMessage = nullptr;
  CommandResult result;
  result.Code = command(requestText.get(), &output, &errorMessage);
  std::unique_ptr<OLECHAR, decltype(freeString)> outputOwner(output, freeString);
  std::unique_ptr<OLECHAR, decltype(freeString)> errorOwner(errorMessage, freeString);
  result.Output = ToUtf8(std::u16string_view(output ? output : u"", fStringLen(output)));
  result.ErrorMessage = ToUtf8(std::u16string_view(errorMessage ? errorMessage : u"", fStringLen(errorMessage)));
  return result;
}

std::string DriverLibrary::Locate(const std::string& aOption) {
  if (!aOption.empty()) return aOption;
  if (const char* fromEnvironment = std::getenv("QNRP_LIBRARY"); fromEnvironment && *fromEnvironment)
    return fromEnvironment;
  const auto nextToMe = ExecutableFolder() / kFileName;
  std::error_code error;
  if (std::filesystem::exists(nextToMe, error)) return nextToMe.string();
  return kFileName;
}
