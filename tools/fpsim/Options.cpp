#include "Options.h"

#include <charconv>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace {

enum class Argument { None, Required, Optional };

struct OptionRow {
  const char* name;
  Argument argument;
  const char* argumentName;
  const char* help;
  std::function<void(Options&, const std::string&)> apply;
};

int ParseCount(const std::string& name, const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0)
    throw std::runtime_error("Option " + name + " needs a non-negative number, not '" + text + "'");
  return value;
}

std::string ParseMode(const std::string& text) {
  if (text != "RT" && text != "MF") throw std::runtime_error("Option --mode takes RT or MF, not '" + text + "'");
  return text;
}

std::string ParseSerial(const std::string& text) {
  if (text.size() != 11) throw std::runtime_error("Option --serial needs 11 characters, such as 99MEX012345");
  return text;
}

std::string ParseFirmware(const std::string& text) {
  if (text.empty() || text.size() > 5) throw std::runtime_error("Option --firmware needs 1 to 5 characters");
  return text;
}

std::string ParseHttpAuth(const std::string& text) {
  if (text != "basic" && text != "digest")
    throw std::runtime_error("Option --http-auth takes basic or digest, not '" + text + "'");
  return text;
}

std::string ParseHttpFolder(const std::string& text) {
  if (text != "da-inviare" && text != "rifiutati")
    throw std::runtime_error("Option --http-folder takes da-inviare or rifiutati, not '" + text + "'");
  return text;
}

// The option table; --help lists the rows in this order.
const std::vector<OptionRow>& Rows() {
  static const std::vector<OptionRow> rows = {
      {"--tcp", Argument::Required, "HOST:PORT",
       "Listen for the host on TCP (port 0 picks a free port); one connection at a time.",
       [](Options& o, const std::string& v) { o.tcp = v; }},
      {"--pty", Argument::Optional, "[LINK]",
       "Create a pseudo-terminal for the host; with LINK, also make LINK a symbolic link to it.",
       [](Options& o, const std::string& v) { o.pty = true; o.ptyLink = v; }},
      {"--control", Argument::Required, "HOST:PORT",
       "Listen for control commands (faults, paper, drawer, card terminal, state) on TCP.",
       [](Options& o, const std::string& v) { o.control = v; }},
      {"--state", Argument::Required, "FILE",
       "Load the printer's state from FILE when it exists and save it there after every command.",
       [](Options& o, const std::string& v) { o.stateFile = v; }},
      {"--mode", Argument::Required, "RT|MF",
       "Fiscal mode of a new printer (default RT; MF also sets firmware 1.00).",
       [](Options& o, const std::string& v) { o.mode = ParseMode(v); }},
      {"--serial", Argument::Required, "SERIAL",
       "Serial number of a new printer, 11 characters (default 99MEX012345).",
       [](Options& o, const std::string& v) { o.serial = ParseSerial(v); }},
      {"--firmware", Argument::Required, "VERSION",
       "Firmware version of a new printer, up to 5 characters (default 5.01 in RT, 1.00 in MF).",
       [](Options& o, const std::string& v) { o.firmware = ParseFirmware(v); }},
      {"--fault", Argument::Required, "COMMAND",
       "Run a control command at start, such as \"nak 2\" or \"error 1085 23\"; may be repeated.",
       [](Options& o, const std::string& v) { o.faults.push_back(v); }},
      {"--seed", Argument::Required, "N",
       "Seed of the generator behind garbage bytes and random faults (default 1).",
       [](Options& o, const std::string& v) { o.seed = static_cast<uint32_t>(ParseCount("--seed", v)); }},
      {"--slow-ms", Argument::Required, "MS",
       "How long slow commands (Z report, journal print, card payment ...) run; WAIT is sent every 500 ms.",
       [](Options& o, const std::string& v) { o.slowMs = ParseCount("--slow-ms", v); }},
      {"--verbose", Argument::None, "", "Trace every frame received and sent on standard error.",
       [](Options& o, const std::string&) { o.verbose = true; }},
      {"--paper", Argument::Required, "FILE",
       "Append the printed paper (receipts, reports, copies) to FILE instead of standard output.",
       [](Options& o, const std::string& v) { o.paperFile = v; }},
      {"--http", Argument::Required, "HOST:PORT",
       "Serve the daily-closing files of RT Z reports under /www/dati-rt/ (port 0 picks a free port).",
       [](Options& o, const std::string& v) { o.http = v; }},
      {"--http-auth", Argument::Required, "basic|digest",
       "Ask the web server's clients for --http-user and --http-password.",
       [](Options& o, const std::string& v) { o.httpAuth = ParseHttpAuth(v); }},
      {"--http-user", Argument::Required, "USER", "User name of the web server.",
       [](Options& o, const std::string& v) { o.httpUser = v; }},
      {"--http-password", Argument::Required, "PASSWORD", "Password of the web server.",
       [](Options& o, const std::string& v) { o.httpPassword = v; }},
      {"--http-zreport", Argument::None, "",
       "Also publish each closing's Z report text (...-ZREPORT.txt) beside its ...-CORRISP.xml.",
       [](Options& o, const std::string&) { o.httpZReportText = true; }},
      {"--http-folder", Argument::Required, "da-inviare|rifiutati",
       "Publish the closing files in this folder instead of the day's folder yyyymmdd (training: demo).",
       [](Options& o, const std::string& v) { o.httpFolder = ParseHttpFolder(v); }},
      {"--help", Argument::None, "", "Show this text.", [](Options& o, const std::string&) { o.help = true; }},
  };
  return rows;
}

const OptionRow& FindRow(std::string_view name) {
  for (const OptionRow& row : Rows())
    if (name == row.name) return row;
  throw std::runtime_error("Unknown option " + std::string(name) + " (see --help)");
}

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string token = argv[i];
    std::string value;
    bool hasValue = false;
    if (const size_t equals = token.find('='); token.starts_with("--") && equals != std::string::npos) {
      value = token.substr(equals + 1);
      token.resize(equals);
      hasValue = true;
    }
    const OptionRow& row = FindRow(token);
    if (row.argument == Argument::None && hasValue)
      throw std::runtime_error("Option " + token + " takes no argument");
    if (row.argument == Argument::Required && !hasValue) {
      if (i + 1 >= argc) throw std::runtime_error("Option " + token + " needs " + row.argumentName);
      value = argv[++i];
    }
    if (row.argument == Argument::Optional && !hasValue && i + 1 < argc &&
        !std::string_view(argv[i + 1]).starts_with("--"))
      value = argv[++i];
    row.apply(options, value);
  }
  return options;
}

std::string HelpText() {
  std::string text =
      "Usage: fpsim [options]\n"
      "Simulates an Epson RT/MF fiscal printer on a pseudo-terminal or a TCP port.\n\n"
      "Options:\n";
  for (const OptionRow& row : Rows()) {
    std::string left = std::string("  ") + row.name;
    if (*row.argumentName) left += std::string(" ") + row.argumentName;
    if (left.size() < 24) left.resize(24, ' ');
    else left += "\n" + std::string(24, ' ');
    text += left + row.help + "\n";
  }
  return text;
}
