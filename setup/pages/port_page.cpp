#include "setup/pages/port_page.h"

#include "common/config_int.h"
#include "common/language_text.h"
#include "platform/machine.h"
#include "common/redirection_switch.h"
#include "setup/engine/usb_driver_version.h"
#include "setup/engine/usb_identity.h"
#include "setup/res/resource.h"

#include <cstdlib>

namespace setup {
namespace {

constexpr int serialLists[] = {IDC_BAUD, IDC_PARITY, IDC_BYTE_SIZE, IDC_STOP_BITS, IDC_PROTOCOL};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// "按“F1”查看帮助" (code page 936): press F1 for help.
const char* const chineseRasterTip =
    "\xB0\xB4\xA1\xB0\x46\x31\xA1\xB1\xB2\xE9\xBF\xB4\xB0\xEF\xD6\xFA";

} // namespace

void PortPage::onInit(View& view) {
    applyFont(view);
    for (const char* key :
         {"Parity.Even", "Parity.Mark", "Parity.None", "Parity.Odd", "Parity.Space"})
        view.addItem(IDC_PARITY, text("Confirm", key));
    for (int rate : baudRates)
        view.addItem(IDC_BAUD, std::to_string(rate));
    for (const char* size : {"5", "6", "7", "8"})
        view.addItem(IDC_BYTE_SIZE, size);
    for (const char* bits : {"1", "1.5", "2"})
        view.addItem(IDC_STOP_BITS, bits);
    for (const char* key : {"Protocol.None", "Protocol.Xonoff", "Protocol.Hardware"})
        view.addItem(IDC_PROTOCOL, text("Confirm", key));
    view.select(IDC_PORTS, 0);
    view.select(IDC_BYTE_SIZE, 3);
    view.select(IDC_STOP_BITS, 0);
    view.select(IDC_PARITY, 2);
    view.select(IDC_PROTOCOL, 2);

    // The Chinese edition's tip, as the package's string table has it; the
    // English edition says the same with its own help hint.
    view.setTooltip(IDC_RASTER,
                    context_.chineseFont ? std::string(chineseRasterTip) : text("Setup", "Help"),
                    200);
    view.setTextColor(IDC_USB_WARNING, ui::Rgb{0, 0, 255}, ui::Rgb{255, 202, 253});
    view.setFont(IDC_USB_WARNING, Font{14, 400, 0, 0, "Arial"});
}

void PortPage::refreshTexts(View& view) {
    const std::pair<int, const char*> labels[] = {{IDC_PORT_GROUP, "Set"},
                                                  {IDC_PORTS_LABEL, "Ports"},
                                                  {IDC_COM_GROUP, "Com"},
                                                  {IDC_BAUD_LABEL, "BaudRate"},
                                                  {IDC_PARITY_LABEL, "Parity"},
                                                  {IDC_BYTE_SIZE_LABEL, "ByteSize"},
                                                  {IDC_STOP_BITS_LABEL, "StopBits"},
                                                  {IDC_PROTOCOL_LABEL, "Protocol"},
                                                  {IDC_RASTER, "Raster"}};
    for (const auto& [id, key] : labels)
        view.setText(id, text("Confirm", key));
}

PortPage::PortKeys PortPage::readKeys(const std::string& model, PrinterType type) const {
    const std::string file =
        context_.programFolder + "\\" + capitalisedTypeFileName(type, context_.wow64);
    const std::string section = model + ".PORT";
    platform::ProfileFiles& profiles = context_.machine.profiles();
    auto read = [&](const char* key) {
        return common::readConfigInt(profiles, file, section, key);
    };
    return PortKeys{read("USBSUPPORTED"), read("LPTSUPPORTED"), read("COMSUPPORTED"),
                    read("NETSUPPORTED"), read("LPTDEFAULT"),   read("RASTERVISIABLE")};
}

void PortPage::enableSerial(View& view, bool enabled) {
    for (int id : serialLists)
        view.enable(id, enabled);
}

int PortPage::selectFirstContaining(View& view, const std::string& part, const std::string& also) {
    const int count = view.itemCount(IDC_PORTS);
    for (int i = 0; i < count; ++i) {
        const std::string entry = view.itemText(IDC_PORTS, i);
        if (has(entry, part) && has(entry, also)) {
            view.select(IDC_PORTS, i);
            return i;
        }
    }
    return -1;
}

void PortPage::buildPortList(View& view, const std::string& model, common::OsVariant os,
                             PrinterType type, bool typical) {
    typical_ = typical;
    os_ = os;
    if (model == builtFor_ && typical == builtTypical_)
        return;
    builtTypical_ = typical;
    builtFor_ = model;
    view.clearItems(IDC_PORTS);

    const PortKeys keys = readKeys(model, type);
    if (os != common::osWin9x) {
        if (keys.lpt)
            for (const char* port : {"LPT1:", "LPT2:", "LPT3:"})
                view.addItem(IDC_PORTS, port);
        // The note says the model has no serial interface; a model that has one
        // must not inherit the note of the model before.
        view.show(IDC_NO_COM_NOTE, !keys.com);
        if (!keys.com) {
            view.setText(IDC_NO_COM_NOTE, context_.texts.message("IDS_ERR_UNSUPPORTCOM"));
        } else {
            for (int n = 1; n <= 8; ++n)
                view.addItem(IDC_PORTS,
                             (context_.wow64 ? "COM" : "KVCOM") + std::to_string(n) + ":");
        }
    } else {
        if (keys.lpt)
            view.addItem(IDC_PORTS, "LPT1:");
        if (keys.com) {
            view.addItem(IDC_PORTS, "COM1:");
            view.addItem(IDC_PORTS, "COM2:");
        }
    }
    if (keys.net) {
        view.addItem(IDC_PORTS, "NET:");
        view.enable(IDC_IP_ADDRESS, true);
    }
    // The USB library is asked only where a USB entry can be offered, so that
    // a serial-only model never shows the library's messages.
    const bool usbOffered = keys.usb != 0 && os != common::osNt4;
    int answer = noUsbPrinter;
    if (usbOffered) {
        const common::LanguageText messages(context_.machine.profiles(), context_.texts.file(),
                                            "Message");
        answer = readUsbPrinterId(context_.machine, messages, view.window());
        const int count = typical ? 1 : 4;
        for (int n = 1; n <= count; ++n)
            view.addItem(IDC_PORTS, "USB_" + model + "_" + std::to_string(n));
    }
    // The identity's remainder keeps its sign, so "several printers" (-2) gives -1.
    usbPortNumber_ = answer == noUsbPrinter ? -1 : answer % 8 + 1;

    int selected = -1;
    if (usbOffered && answer != noUsbPrinter) {
        if (typical) {
            selected = selectFirstContaining(view, "USB");
        } else {
            if (usbPortNumber_ > 4)
                view.select(IDC_PORTS, 0);
            selected = selectFirstContaining(view, "USB", "_" + std::to_string(usbPortNumber_));
            if (selected < 0 && usbPortNumber_ > 4)
                selected = 0;
        }
    }
    if (selected < 0) {
        if (keys.lptDefault && keys.lpt)
            selected = selectFirstContaining(view, "LPT");
        if (selected < 0) {
            view.select(IDC_PORTS, 0);
            selected = view.selection(IDC_PORTS);
        }
    }
    portText_ = selected >= 0 ? view.itemText(IDC_PORTS, selected) : std::string();
    showChoice(view, portText_);

    if (typical)
        view.show(IDC_RASTER, false);
    else if (keys.rasterVisible == 0)
        view.show(IDC_RASTER, true);
    else if (keys.rasterVisible == 1)
        view.show(IDC_RASTER, false);
    view.setChecked(IDC_RASTER, raster_);
}

void PortPage::showChoice(View& view, const std::string& entry) {
    const bool serial = has(entry, "COM");
    const bool network = has(entry, "NET");
    const bool usb = has(entry, "USB");
    enableSerial(view, serial);
    view.enable(IDC_IP_ADDRESS, network);
    // Raster graphics are for USB and parallel printers.
    raster_ = !serial && !network && !entry.empty();
    view.enable(IDC_RASTER, raster_);
    view.setChecked(IDC_RASTER, raster_);
    if (usb && os_ != common::osWin9x && os_ != common::osNt4)
        checkUsbDriver(view);
    else
        view.show(IDC_USB_WARNING, false);
}

void PortPage::checkUsbDriver(View& view) {
    std::string windows;
    std::string version = "0.0.0.0";
    if (context_.machine.system().GetWindowsDirectoryA(windows)) {
        common::RedirectionSwitch native(context_.machine, context_.wow64, view.window(),
                                         common::RedirectionSwitch::Mode::Announced);
        version = readFileVersion(context_.machine, windows + "\\system32\\drivers\\KVPUSB.sys");
    }
    const bool missing = version == "0.0.0.0";
    if (missing)
        view.setText(IDC_USB_WARNING, context_.texts.message("IDS_ERR_UPDATEUSB"));
    view.show(IDC_USB_WARNING, missing);
}

void PortPage::applyBaudRate(View& view, int baudRate) {
    int index = 7; // 38400
    for (int i = 0; i < static_cast<int>(std::size(baudRates)); ++i) {
        if (baudRates[i] == baudRate)
            index = i;
    }
    view.select(IDC_BAUD, index);
    // The rate the list shows is the rate installed: a value it cannot show
    // would otherwise reach the port's settings unseen.
    baud_ = baudRates[index];
}

void PortPage::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice == ui::Notice::Clicked && event.id == IDC_RASTER) {
        raster_ = view.isChecked(IDC_RASTER);
        return;
    }
    if (event.notice != ui::Notice::SelectionChanged)
        return;
    const int selected = view.selection(event.id);
    if (selected < 0)
        return;
    const std::string chosen = view.itemText(event.id, selected);
    switch (event.id) {
    case IDC_PORTS:
        portText_ = chosen;
        showChoice(view, chosen);
        break;
    case IDC_BAUD:
        baud_ = std::atoi(chosen.c_str());
        break;
    case IDC_BYTE_SIZE:
        byteSize_ = std::atoi(chosen.c_str());
        break;
    case IDC_STOP_BITS:
        stopBits_ = std::strtod(chosen.c_str(), nullptr);
        break;
    case IDC_PARITY:
        if (!chosen.empty())
            parity_ = chosen[0];
        break;
    case IDC_PROTOCOL:
        if (chosen == "Xon/Xoff")
            protocol_ = 'x';
        else if (chosen == "Hardware")
            protocol_ = 'p';
        else if (chosen == "None")
            protocol_ = ' ';
        break;
    default:
        break;
    }
}

bool PortPage::store(View& view) {
    raster_ = view.isEnabled(IDC_RASTER) && view.isChecked(IDC_RASTER);
    return true;
}

} // namespace setup
