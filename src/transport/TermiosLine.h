#pragma once
// The mapping of serial line parameters onto a POSIX terminal's settings.
#ifndef _WIN32

#include <termios.h>

#include <cstdint>

#include "transport/TComPort.h"

// Makes aTio a binary line with the given speed, character size, stop bits and
// parity, as a Win32 port always is: no line editing, echo, signals, newline
// translation, software flow control or modem-line hang-ups; hardware flow
// control stays as it was.
// False, with aTio partly changed, for a speed, size or stop-bit count the
// terminal interface cannot express.
bool ApplyLineParameters(termios& aTio, uint32_t aBaudRate, uint8_t aDataBits, TStopBits aStopBits, TParity aParity);

#endif
