#pragma once
// A small printer for the driver tests: answers the status, parameter, clock, VAT
// and reset commands from a few fields, so that a test states only what matters
// to it. Plugged into ScriptedIOHandler as its responder.

#include <map>
#include <string>

#include "ScriptedIOHandler.h"

struct FakePrinter {
  std::map<int, std::string> params{{1, "0"}, {27, "1"}, {29, "0"}, {51, "1"}, {11, "1"}, {13, "0"}};
  std::string firmware = "5.01A";        // RD 3-7 of 1074
  std::string statusField = "10010";     // RD 13-17 of 1074: paper, -, drawer, document, -
  bool hasRTStatus = true;               // answers 1138 (else an error reply)
  std::string rtMain = "02";             // RD 4-5 of 1138
  std::string serialLetter = "M";        // RD 3 of 1138
  std::string rtTraining = "0";          // RD 39 of 1138
  std::string serial = "012345EY99";     // RD 3-12 of 3217: number, model, year
  std::string clock = "1506211030";      // ddmmyyhhnn
  std::string dayReceipts = "000000003"; // RD 16-24 of 2050
  int staleDailyReplies = 0;             // 2050 answered with another reply code this many times
  std::string vatRates[9] = {"2200", "1000", "0500", "0400", "0000", "0000", "0000", "0000", "0000"};
  std::map<std::string, std::string> errors;   // command -> two-digit error code
  std::vector<std::string> setClock;           // data of every 4001

  std::string operator()(const std::string& command, const std::string& data) {
    using scripted::AckReply;
    if (auto error = errors.find(command); error != errors.end())
      return std::string(1, scripted::ACK) + scripted::ErrorReply(error->second);
    if (command == "2050") {
      if (staleDailyReplies > 0) {
        --staleDailyReplies;
        return AckReply("1074", "01" + firmware);
      }
      return AckReply("2050", std::string(15, '0') + dayReceipts);
    }
    if (command == "4201") return AckReply("4201", clock);
    if (command == "1074") return AckReply("1074", "01" + firmware + "00000" + statusField);
    if (command == "4214") return AckReply("4214", data + params[std::stoi(data)]);
    if (command == "4014") {
      params[std::stoi(data.substr(0, 2))] = data.substr(2);
      return AckReply("4014", "");
    }
    if (command == "1138") {
      if (!hasRTStatus) return std::string(1, scripted::ACK) + scripted::ErrorReply("16");
      return AckReply("1138", "01" + serialLetter + rtMain + std::string(33, '0') + rtTraining);
    }
    if (command == "3217") return AckReply("3217", "01" + serial);
    if (command == "4205") return AckReply("4205", data + vatRates[std::stoi(data) - 1]);
    if (command == "4001") {
      setClock.push_back(data);
      return AckReply("4001", "");
    }
    if (command == "1088" || command == "3001") return AckReply(command, "");
    return std::string(1, scripted::ACK) + scripted::ErrorReply("16");
  }
};
