#include "device/ZReportDateFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace {

constexpr size_t kMaxFileText = 64;

bool IsPlainCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string SafeFileStem(std::string serialNumber) {
  for (char& c : serialNumber)
    if (!IsPlainCharacter(c)) c = '_';
  return serialNumber;
}

std::string WithoutLineBreaks(std::string text) {
  std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
  return text;
}

}  // namespace

std::string ZReportDateFilePath(const std::string& directory, const std::string& serialNumber) {
  return (std::filesystem::path(directory) / (SafeFileStem(serialNumber) + "_ZrepDate.stv")).string();
}

void SaveZReportDate(const std::string& directory, const std::string& serialNumber, DateTime date) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) throw std::runtime_error("Cannot create folder " + directory + ": " + error.message());
  std::string path = ZReportDateFilePath(directory, serialNumber);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (file) file << date.Format("yyyy-mm-dd") << "\r\n";
  if (!file) throw std::runtime_error("Cannot write " + path + ": " + std::strerror(errno));
}

DateTime LoadZReportDate(const std::string& directory, const std::string& serialNumber) {
  std::ifstream file(ZReportDateFilePath(directory, serialNumber), std::ios::binary);
  if (!file) return {};
  // The file holds one short line; reading a bounded prefix keeps a damaged
  // or foreign file from costing memory.
  std::string text(kMaxFileText, '\0');
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<size_t>(file.gcount()));
  text = WithoutLineBreaks(std::move(text));
  try {
    return DateTime::ParseIso8601(text).DatePart();
  } catch (const std::runtime_error&) {
    return {};
  }
}
