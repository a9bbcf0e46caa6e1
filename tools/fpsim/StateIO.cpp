#include "StateIO.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

bool NeedsEscape(unsigned char c) { return c < 0x20 || c >= 0x7F || c == '%'; }

std::string Escape(std::string_view text) {
  std::string out;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (NeedsEscape(c)) {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", c);
      out += code;
    } else {
      out += ch;
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Unescape(std::string_view text, size_t lineNumber) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? HexDigit(text[i + 2]) : -1;
    if (high < 0 || low < 0)
      throw std::runtime_error("State file: bad escape on line " + std::to_string(lineNumber));
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

}  // namespace

void StateIO::Field(std::string_view name, char& value) {
  std::string text(1, value);
  Text(Scoped(name), text);
  if (text.size() != 1) throw std::runtime_error("State file: " + Scoped(name) + " must be one character");
  value = text[0];
}

void StateIO::Field(std::string_view name, bool& value) {
  std::string text = value ? "1" : "0";
  Text(Scoped(name), text);
  value = text == "1";
}

void StateIO::Field(std::string_view name, DateTime& value) {
  int64_t ms = value.Milliseconds();
  Field(name, ms);
  value = DateTime::FromMilliseconds(ms);
}

void StateIO::Leave() {
  const size_t end = fPrefix.size() - 1;  // the dot that Enter appended
  const size_t previous = fPrefix.rfind('.', end - 1);
  fPrefix.resize(previous == std::string::npos ? 0 : previous + 1);
}

int64_t StateIO::ParseInteger(std::string_view name, const std::string& text) const {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw std::runtime_error("State file: " + Scoped(name) + " is not a number: " + text);
  return value;
}

void StateWriter::Text(const std::string& fullName, std::string& value) {
  fContents += fullName + "=" + Escape(value) + "\n";
}

StateReader::StateReader(std::string_view contents) {
  size_t lineNumber = 0;
  size_t start = 0;
  while (start < contents.size()) {
    size_t end = contents.find('\n', start);
    if (end == std::string_view::npos) end = contents.size();
    const std::string_view line = contents.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0)
      throw std::runtime_error("State file: line " + std::to_string(lineNumber) + " is not name=value");
    fValues[std::string(line.substr(0, equals))] = Unescape(line.substr(equals + 1), lineNumber);
  }
}

void StateReader::Text(const std::string& fullName, std::string& value) {
  const auto found = fValues.find(fullName);
  if (found != fValues.end()) value = found->second;
}

void WriteFileAtomically(const std::string& path, const std::string& contents) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << contents;
    out.flush();
    if (!out) throw std::runtime_error("Cannot write the state file " + temporary);
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0)
    throw std::runtime_error("Cannot replace the state file " + path);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("Cannot read the state file " + path);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}
