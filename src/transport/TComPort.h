#pragma once
// A thin, synchronous wrapper of one serial port: open, line parameters, read with
// a time-out, write, purge, close. The platform part lives in its own source file
// (TComPortPosix.cpp); this interface is what the serial transport uses.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

enum TParity : uint8_t { ptNone = 0, ptOdd = 1, ptEven = 2, ptMark = 3, ptSpace = 4 };
enum TStopBits : uint8_t { sbOne = 0, sbOneHalf = 1, sbTwo = 2 };

class TComPortException : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TComPort {
public:
  static constexpr const char* DriverVersion = "1.0";

  // Port COMn, mapped to the platform's device of that number.
  TComPort(uint32_t aComNumber, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity);
  // A device given by its path (USB adapters, pseudo-terminals); ComNumber is 0.
  TComPort(std::string aDevicePath, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity);
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Opens the port for exclusive use and programs the line parameters. An open
  // port is closed and opened again. Throws TComPortException.
  void Open();
  // Discards both directions and closes; nothing on a closed port.
  void Close();
  // Reads up to aBytes bytes, waiting at most aTimeout ms in all and at most 100 ms
  // between two bytes. Returns the count (0 when nothing came), or -1 on a failed
  // read with aErrorCode set to the platform's error code; a failed read takes its
  // whole time-out, so a broken line cannot make a read loop spin.
  int32_t Read(char* aBuffer, uint32_t aBytes, uint32_t aTimeout, uint32_t& aErrorCode);
  // Writes all of aText; true when every byte went out.
  bool WriteText(std::string_view aText);
  // Programs the line; the values are stored only when the port took them.
  void SetLineParameters(uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity);
  // Purges input and output of an open port; nothing on a closed one.
  void ClearBuffers();
  // Bytes waiting in the input queue; 0 when it cannot be read.
  uint32_t GetBytesPending() const;

  uint32_t ComNumber() const { return fComNumber; }
  // "COMn", or the device path.
  const std::string& PortName() const { return fPortName; }
  uint32_t BaudRate() const { return fBaudRate; }
  uint8_t DataBits() const { return fDataBits; }
  TStopBits StopBits() const { return fStopBits; }
  TParity Parity() const { return fParity; }
  bool ComIsOpen() const { return fComHandle != kNoHandle; }

  // The platform's device for COMn ("/dev/ttyS<n-1>" on POSIX systems); empty when
  // no device can have that number.
  static std::string DevicePathOf(uint32_t aComNumber);

private:
  // Wide enough for a file descriptor and for a Win32 handle.
  using Handle = intptr_t;
  static constexpr Handle kNoHandle = -1;

  size_t SendBuffer(const char* aBuffer, size_t aCount);
  [[noreturn]] void RaiseOpenError(int aCode) const;

  uint32_t fComNumber = 0;
  std::string fPortName;
  std::string fDevicePath;
  uint32_t fBaudRate;
  uint8_t fDataBits;
  TStopBits fStopBits;
  TParity fParity;
  Handle fComHandle = kNoHandle;
};
