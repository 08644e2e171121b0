// The names an installation gives: the port kind a port text stands for, the
// printer queue's name and the port's name.
#pragma once

#include "setup/engine/setup_config.h"

#include <optional>
#include <string>

namespace setup {

// "USB_" -> USB, else "COM" -> serial, "LPT" -> parallel, "NET" -> network.
std::optional<PortKind> portKindOf(const std::string& portText);

// The number 1-4 a USB port text ends with ("USB_QRT-K500NX_2" -> 2); 0 when
// it ends otherwise. Only the end counts: the model name in the middle may
// hold "_2" itself.
int usbPortNumber(const std::string& portText);

// Model + "(S)", "(P)", "(E)", or for USB "(U) n".
std::string printerNameFor(const std::string& model, PortKind kind, const std::string& portText);

// The port the queue is created on: "IP_" + address for network printers;
// "USB_QRT-L7_" + the last character for the QRT-L7 family's USB ports (their
// port monitor knows one name for the whole family); else the port text.
std::string portNameFor(PortKind kind, const std::string& portText, const std::string& ipText);

} // namespace setup
