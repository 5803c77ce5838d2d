// Serial line choices of the port-setup page: the baud-rate table behind the
// baud combo box and the device name of a port number. No Win32 types here, so
// the console's status texts can use them without the serial API.
//
//   baud combo item index | baud rate
//   ----------------------+----------
//   0                     | 4800
//   1                     | 9600
//   2                     | 14400
//   any other (3, or -1   | 19200
//   when nothing selected)|
#pragma once

#include <string>

// Baud rate for an item index of the baud combo box (table above).
unsigned BaudForIndex(int itemIndex);

// "COM" followed by the port number in decimal, e.g. 3 -> "COM3".
std::string SerialPortName(int portNumber);
