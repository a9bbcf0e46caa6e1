#pragma once
// The commands of the printer's status, settings, devices and non-fiscal documents.

class Printer;

// 1074 printer status, 1138 RT state, 2050 daily data, 3217 serial number,
// 4201 clock, 4214 parameter read.
void RegisterStatusCommands(Printer& printer);
// 4001 clock, 4014 parameter write, 4005/4205 VAT slots, 4002/4202 departments.
void RegisterTableCommands(Printer& printer);
// 1050 drawer, 1062 customer display, 1084 card terminal payment, 1088 reset.
void RegisterDeviceCommands(Printer& printer);
// 1063 open, 1064 text line, 1075 barcode, 1078 card slip, 1065 close.
void RegisterNonFiscalCommands(Printer& printer);
// Closes the open non-fiscal document with its footer (used by the reset too).
void CloseNonFiscalDocument(Printer& printer);
