#include "transport/kIOHandler_Serial.h"

#include <stdexcept>

#include "runtime/Convert.h"

namespace {

constexpr uint32_t kByteReadTimeoutMs = 100;

TParity ToPortParity(tkParity aParity) {
  switch (aParity) {
    case tkParity::None: return ptNone;
    case tkParity::Even: return ptEven;
    case tkParity::Odd: return ptOdd;
  }
  throw std::runtime_error("Parity invalid");
}

TStopBits ToPortStopBits(int32_t aStopBits) {
  if (aStopBits == 1) return sbOne;
  if (aStopBits == 2) return sbTwo;
  throw std::runtime_error("Stop Bits " + std::to_string(aStopBits) + " invalid");
}

// "COMn" gives n; the first three characters are not examined.
uint32_t ComNumberOf(const std::string& aSerialPort) {
  const int32_t number = StrToInt32(aSerialPort.size() > 3 ? std::string_view(aSerialPort).substr(3) : "");
  return number > 0 ? static_cast<uint32_t>(number) : 0;
}

const char* ParityText(TParity aParity) {
  switch (aParity) {
    case ptNone: return "none";
    case ptOdd: return "odd";
    case ptEven: return "even";
    case ptMark: return "mark";
    case ptSpace: return "space";
  }
  return "";
}

const char* StopBitsText(TStopBits aStopBits) {
  switch (aStopBits) {
    case sbOne: return "1";
    case sbOneHalf: return "1.5";
    case sbTwo: return "2";
  }
  return "";
}

}  // namespace

kIOHandler_Serial::kIOHandler_Serial(const kConnection& aConnection, const std::string& aDirectory,
                                     const std::string& aFileName)
    : kIOHandler(&aConnection, aDirectory, aFileName) {
  const bool isPath = aConnection.fSerialPort.starts_with('/');
  const uint32_t number = isPath ? 0 : ComNumberOf(aConnection.fSerialPort);
  const TParity parity = ToPortParity(aConnection.fParity);
  const TStopBits stopBits = ToPortStopBits(aConnection.fStopBits);
  const auto dataBits = static_cast<uint8_t>(aConnection.fDataBits & 0xFF);
  const auto baudRate = static_cast<uint32_t>(aConnection.fSpeed);
  fComPort = isPath ? std::make_unique<TComPort>(aConnection.fSerialPort, baudRate, dataBits, stopBits, parity)
                    : std::make_unique<TComPort>(number, baudRate, dataBits, stopBits, parity);
}

kIOHandler_Serial::~kIOHandler_Serial() = default;

bool kIOHandler_Serial::Connect() {
  kIOHandler::Connect();
  Debug(let_info, std::string("Serial Driver Version: ") + TComPort::DriverVersion);
  Debug(let_info, "SerialPort=" + fComPort->PortName());
  Debug(let_info, "Speed=" + std::to_string(fComPort->BaudRate()));
  Debug(let_info, std::string("Parity=") + ParityText(fComPort->Parity()));
  Debug(let_info, "DataBits=" + std::to_string(fComPort->DataBits()));
  Debug(let_info, std::string("StopBits=") + StopBitsText(fComPort->StopBits()));
  fComPort->Open();
  return fComPort->ComIsOpen();
}

bool kIOHandler_Serial::Disconnect() {
  fComPort->Close();
  return true;
}

void kIOHandler_Serial::ClearBuffers() {
  fComPort->ClearBuffers();
}

bool kIOHandler_Serial::Write(const std::string& aMessage) {
  WriteLog(let_info, "Write", aMessage);
  fComPort->WriteText(aMessage);
  return true;
}

bool kIOHandler_Serial::ReadByte(char& aByte) {
  uint32_t lineErrors = 0;
  const int32_t count = fComPort->Read(&aByte, 1, kByteReadTimeoutMs, lineErrors);
  if (count < 0) WriteLog(let_error, "Read Error", std::to_string(lineErrors));
  return count == 1;
}

// The deadline counts from the start of the call and is checked after every read
// that did not complete the reply, so a line that keeps sending without a
// terminator cannot hold the call beyond the read time-out plus one read.
std::string kIOHandler_Serial::ReadUpTo(std::string_view aChars) {
  LogWaitingFor(aChars);
  std::string result;
  const auto start = Clock::now();
  bool complete = false;
  bool timedOut = false;
  while (!complete && !timedOut) {
    char byte;
    if (ReadByte(byte)) {
      result += byte;
      complete = aChars.find(byte) != std::string_view::npos;
    }
    if (!complete) timedOut = MillisecondsSince(start) > fReadTimeout;
  }
  LogReadResult(timedOut, result);
  return result;
}

// A count of 0 or less asks for nothing and reads nothing.
std::string kIOHandler_Serial::ReadChars(int32_t aCharsNum) {
  std::string result;
  const auto start = Clock::now();
  bool timedOut = false;
  while (static_cast<int64_t>(result.size()) < aCharsNum && !timedOut) {
    char byte;
    uint32_t lineErrors = 0;
    if (fComPort->Read(&byte, 1, kByteReadTimeoutMs, lineErrors) == 1) result += byte;
    timedOut = static_cast<int64_t>(result.size()) < aCharsNum && MillisecondsSince(start) > fReadTimeout;
  }
  LogReadResult(timedOut, result);
  return result;
}

std::string kIOHandler_Serial::ReadAll() {
  throw std::runtime_error("ReadAll Unsupported");
}

std::string kIOHandler_Serial::DecodeError(int32_t) {
  return {};
}

void kIOHandler_Serial::SetParameter(const std::string&, const std::string&) {}
