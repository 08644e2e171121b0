#include "setup/engine/port_naming.h"

namespace setup {

std::optional<PortKind> portKindOf(const std::string& portText) {
    if (portText.find("USB_") != std::string::npos)
        return PortKind::Usb;
    if (portText.find("COM") != std::string::npos)
        return PortKind::Serial;
    if (portText.find("LPT") != std::string::npos)
        return PortKind::Parallel;
    if (portText.find("NET") != std::string::npos)
        return PortKind::Network;
    return std::nullopt;
}

int usbPortNumber(const std::string& portText) {
    const std::size_t n = portText.size();
    if (n < 2 || portText[n - 2] != '_' || portText[n - 1] < '1' || portText[n - 1] > '4')
        return 0;
    return portText[n - 1] - '0';
}

std::string printerNameFor(const std::string& model, PortKind kind, const std::string& portText) {
    switch (kind) {
    case PortKind::Serial:
        return model + "(S)";
    case PortKind::Parallel:
        return model + "(P)";
    case PortKind::Network:
        return model + "(E)";
    case PortKind::Usb:
        break;
    }
    const int number = usbPortNumber(portText);
    return number == 0 ? model : model + "(U) " + std::to_string(number);
}

std::string portNameFor(PortKind kind, const std::string& portText, const std::string& ipText) {
    if (kind == PortKind::Network)
        return "IP_" + ipText;
    if (kind == PortKind::Usb && portText.find("QRT-L7") != std::string::npos)
        return "USB_QRT-L7_" + portText.substr(portText.size() - 1);
    return portText;
}

} // namespace setup
