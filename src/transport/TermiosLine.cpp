#ifndef _WIN32

#include "transport/TermiosLine.h"

namespace {

bool BaudConstant(uint32_t aBaudRate, speed_t& aSpeed) {
  struct Rate { uint32_t baud; speed_t code; };
  static constexpr Rate kRates[] = {
      {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
      {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
      {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
      {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
      {576000, B576000}, {921600, B921600}, {1000000, B1000000}};
  for (const Rate& rate : kRates) {
    if (rate.baud == aBaudRate) {
      aSpeed = rate.code;
      return true;
    }
  }
  return false;
}

bool CharacterSize(uint8_t aDataBits, tcflag_t& aSize) {
  switch (aDataBits) {
    case 5: aSize = CS5; return true;
    case 6: aSize = CS6; return true;
    case 7: aSize = CS7; return true;
    case 8: aSize = CS8; return true;
    default: return false;
  }
}

}  // namespace

bool ApplyLineParameters(termios& aTio, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity) {
  speed_t speed;
  tcflag_t size;
  if (!BaudConstant(aBaudRate, speed) || !CharacterSize(aDataBits, size) || aStopBits == sbOneHalf) return false;
  cfmakeraw(&aTio);
  aTio.c_cflag |= CREAD | CLOCAL;
  aTio.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
  aTio.c_cflag |= size;
  if (aStopBits == sbTwo) aTio.c_cflag |= CSTOPB;
  switch (aParity) {
    case ptNone: break;
    case ptOdd: aTio.c_cflag |= PARENB | PARODD; break;
    case ptEven: aTio.c_cflag |= PARENB; break;
    case ptMark: aTio.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case ptSpace: aTio.c_cflag |= PARENB | CMSPAR; break;
  }
  aTio.c_cc[VMIN] = 0;
  aTio.c_cc[VTIME] = 0;
  return cfsetispeed(&aTio, speed) == 0 && cfsetospeed(&aTio, speed) == 0;
}

#endif
