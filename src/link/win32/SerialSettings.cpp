#include "link/win32/SerialSettings.h"

unsigned BaudForIndex(int itemIndex)
{
    switch (itemIndex) {
    case 0: return 4800;
    case 1: return 9600;
    case 2: return 14400;
    default: return 19200;
    }
}

std::string SerialPortName(int portNumber)
{
    return "COM" + std::to_string(portNumber);
}
