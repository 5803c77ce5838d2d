#include "console/core/FixedTexts.h"

namespace relayon::console {

std::optional<std::wstring> ChannelLabelCaption(int index) {
    if (index == 0) return std::wstring(kGroupIdLabel);
    if (index == 1) return std::wstring(kStartChannelItems[0]);
    if (index >= 2 && index <= 9) return L"CH" + std::to_wstring(index - 1);
    return std::nullopt;
}

std::optional<std::wstring> DelayLabelCaption(int channel) {
    if (channel == 0) return std::wstring(L"LCD:");
    if (channel >= 1 && channel <= 8) return L"CH" + std::to_wstring(channel) + L":";
    return std::nullopt;
}

std::wstring SerialPortPanelText(int portNumber, int baudRate) {
    return std::wstring(kPortPanelPrefix) + L"COM" + std::to_wstring(portNumber) + L":" +
           std::to_wstring(baudRate) + std::wstring(kSerialLineSuffix);
}

std::wstring EthernetPanelText(std::wstring_view address) {
    return std::wstring(kPortPanelPrefix) + std::wstring(kEthernetPrefix) + std::wstring(address);
}

}  // namespace relayon::console
