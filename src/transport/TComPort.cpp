#include "transport/TComPort.h"

#include <utility>

TComPort::TComPort(uint32_t aComNumber, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity)
    : fComNumber(aComNumber),
      fPortName("COM" + std::to_string(aComNumber)),
      fDevicePath(DevicePathOf(aComNumber)),
      fBaudRate(aBaudRate),
      fDataBits(aDataBits),
      fStopBits(aStopBits),
      fParity(aParity) {}

TComPort::TComPort(std::string aDevicePath, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity)
    : fPortName(aDevicePath),
      fDevicePath(std::move(aDevicePath)),
      fBaudRate(aBaudRate),
      fDataBits(aDataBits),
      fStopBits(aStopBits),
      fParity(aParity) {}

TComPort::~TComPort() {
  Close();
}

bool TComPort::WriteText(std::string_view aText) {
  return SendBuffer(aText.data(), aText.size()) == aText.size();
}
