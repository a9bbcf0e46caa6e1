#pragma once
// A printer with every command registered, driven through the command registry, with
// its paper captured; and the command data built by hand the way the driver lays it out.

#include "fpsim/Printer.h"
#include "fpsim/Simulator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fiscal_test {

// N(width): zero-padded digits.
inline std::string N(long long value, int width) {
  char text[32];
  std::snprintf(text, sizeof text, "%0*lld", width, value);
  return text;
}

// T(width): padded with blanks or cut.
inline std::string T(std::string text, size_t width) {
  text.resize(width, ' ');
  return text;
}

// 1080/1081/1082 data on a 40-column printer.
inline std::string Item(const std::string& description, long long thousandths, long long cents,
                        const std::string& department = "01", size_t columns = 40) {
  return "01" + T(description, columns - 8) + N(thousandths, 7) + N(cents, 9) + department + "1";
}
// 1083 data.
inline std::string Adjustment(const std::string& description, long long cents, char kind) {
  return "01" + T(description, 32) + N(cents, 9) + kind + "001";
}
// 1084 data.
inline std::string Payment(const std::string& description, long long cents, const std::string& tender) {
  return "01" + T(description, 32) + N(cents, 9) + tender + "1";
}

struct CapturedPaper : PaperSink {
  std::vector<std::string> lines;
  int cuts = 0;
  void PrintLine(std::string_view text, int) override { lines.emplace_back(text); }
  void Cut() override { ++cuts; }
  bool Shows(std::string_view text) const {
    for (const std::string& line : lines)
      if (line.find(text) != std::string::npos) return true;
    return false;
  }
};

class FiscalPrinter {
public:
  explicit FiscalPrinter(const std::function<void(PrinterState&)>& setup = {}) {
    RegisterAllCommands(printer);
    printer.SetPaper(&paper);
    if (setup) setup(printer.state);
  }

  Reply Run(const std::string& code, const std::string& data = {}) { return printer.Execute(code, data); }

  // Runs a command that must succeed.
  Reply Ok(const std::string& code, const std::string& data = {}) {
    Reply reply = Run(code, data);
    EXPECT_FALSE(reply.IsError()) << code << " " << data << " failed with " << reply.error;
    return reply;
  }

  // A complete sale paid in cash: the items' data, then payment and close.
  void Sale(const std::vector<std::string>& items, const std::string& lottery = {}) {
    Ok("1085", "01");
    for (const std::string& item : items) Ok("1080", item);
    if (!lottery.empty()) Ok("1135", "01" + T(lottery, 16) + "    ");
    Ok("1084", Payment("CONTANTI", 0, "000"));
    if (printer.state.document != DocumentState::None) Ok("1087", "01");
  }

  std::string Today(const char* pattern = "ddmmyyyy") const { return printer.Now().Format(pattern); }

  Printer printer;
  CapturedPaper paper;
};

// RD first-last of a reply's data, 1-based and inclusive like the driver's positions.
inline std::string Rd(const Reply& reply, size_t first, size_t last) {
  if (reply.data.size() < last) return "<short reply: " + reply.data + ">";
  return reply.data.substr(first - 1, last - first + 1);
}

}  // namespace fiscal_test
