#pragma once
// One description of the state serves both directions: a state type lists its
// members once with io.Field(name, member), and the same call saves the member
// (StateWriter) or replaces it with the stored value (StateReader).
//
// Every value travels as text under a dotted name ("day.vat.3.sales"); a list
// stores its length under "<name>.count" and its elements under "<name>.<i>".

#include "runtime/DateTime.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class StateIO {
public:
  virtual ~StateIO() = default;

  virtual bool Loading() const = 0;

  void Field(std::string_view name, std::string& value) { Text(Scoped(name), value); }
  void Field(std::string_view name, char& value);
  void Field(std::string_view name, bool& value);
  void Field(std::string_view name, DateTime& value);

  template <class Number>
    requires std::is_integral_v<Number>
  void Field(std::string_view name, Number& value) {
    std::string text = std::to_string(value);
    Text(Scoped(name), text);
    if (Loading()) value = static_cast<Number>(ParseInteger(name, text));
  }

  template <class Enum>
    requires std::is_enum_v<Enum>
  void Field(std::string_view name, Enum& value) {
    auto number = static_cast<int64_t>(value);
    Field(name, number);
    value = static_cast<Enum>(number);
  }

  template <class Record>
    requires requires(Record& r, StateIO& io) { r.Serialize(io); }
  void Field(std::string_view name, Record& record) {
    Enter(name);
    record.Serialize(*this);
    Leave();
  }

  template <class Element, size_t N>
  void Field(std::string_view name, std::array<Element, N>& values) {
    Enter(name);
    for (size_t i = 0; i < N; ++i) Field(std::to_string(i), values[i]);
    Leave();
  }

  template <class Element>
  void Field(std::string_view name, std::vector<Element>& values) {
    Enter(name);
    size_t count = values.size();
    Field("count", count);
    if (count > kMaxListLength) throw std::runtime_error("State file: list " + fPrefix + " is too long");
    values.resize(count);
    for (size_t i = 0; i < count; ++i) Field(std::to_string(i), values[i]);
    Leave();
  }

protected:
  // Saves the text under the full name, or replaces it with the stored text.
  virtual void Text(const std::string& fullName, std::string& value) = 0;

private:
  static constexpr size_t kMaxListLength = 10000000;

  std::string Scoped(std::string_view name) const { return fPrefix + std::string(name); }
  void Enter(std::string_view name) { fPrefix += std::string(name) + "."; }
  void Leave();
  int64_t ParseInteger(std::string_view name, const std::string& text) const;

  std::string fPrefix;
};

// Collects the state as "name=value" lines; values are escaped so that each fits
// on one line whatever bytes it holds.
class StateWriter : public StateIO {
public:
  bool Loading() const override { return false; }
  const std::string& Contents() const { return fContents; }

protected:
  void Text(const std::string& fullName, std::string& value) override;

private:
  std::string fContents;
};

// Reads "name=value" lines written by StateWriter; a name the text lacks leaves
// the member as it is.
class StateReader : public StateIO {
public:
  // Throws std::runtime_error for a line that StateWriter cannot have written.
  explicit StateReader(std::string_view contents);
  bool Loading() const override { return true; }

protected:
  void Text(const std::string& fullName, std::string& value) override;

private:
  std::map<std::string, std::string, std::less<>> fValues;
};

// Writes the text to the file through a temporary file and a rename, so that an
// interrupted save never leaves half a state behind. Throws std::runtime_error.
void WriteFileAtomically(const std::string& path, const std::string& contents);
// Throws std::runtime_error when the file cannot be read.
std::string ReadWholeFile(const std::string& path);
