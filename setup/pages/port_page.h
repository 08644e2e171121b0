// The port page (template 132), the wizard's last: the port the printer queue
// will use, built from the model's port keys, the Windows variant, the bitness
// and the USB printer attached at that moment; the serial line settings; the
// network printer's address; the raster choice; a warning when the package's
// USB device driver is not installed.
#pragma once

#include "common/os_variant.h"
#include "setup/engine/setup_config.h"
#include "setup/pages/wizard_page.h"

#include <optional>

namespace setup {

// The serial items the page offers, in their order.
inline constexpr int baudRates[] = {110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

class PortPage : public WizardPage {
public:
    using WizardPage::WizardPage;

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    void refreshTexts(View& view) override;
    bool store(View& view) override;

    // The list for (model, variant, type) in the mode given; kept as the user
    // left it when neither the model nor the mode changed since the last build.
    void buildPortList(View& view, const std::string& model, common::OsVariant os, PrinterType type,
                       bool typical);
    // The model's BaudRate: its item is selected, 38400 for a value the list
    // does not offer.
    void applyBaudRate(View& view, int baudRate);

    const std::string& portText() const { return portText_; }
    bool raster() const { return raster_; }
    int baud() const { return baud_; }
    int byteSize() const { return byteSize_; }
    double stopBits() const { return stopBits_; }
    char parity() const { return parity_; }
    char protocol() const { return protocol_; }
    int usbPortNumber() const { return usbPortNumber_; }

private:
    struct PortKeys {
        int usb = 0, lpt = 0, com = 0, net = 0, lptDefault = 0, rasterVisible = 0;
    };
    PortKeys readKeys(const std::string& model, PrinterType type) const;
    void enableSerial(View& view, bool enabled);
    // What the chosen entry's kind shows, whether the builder or the user chose it.
    void showChoice(View& view, const std::string& text);
    void checkUsbDriver(View& view);
    int selectFirstContaining(View& view, const std::string& part, const std::string& also = "");

    std::string portText_;
    bool raster_ = false;
    int baud_ = 38400;
    int byteSize_ = 8;
    double stopBits_ = 1.0;
    char parity_ = 'n';
    char protocol_ = 'p';
    int usbPortNumber_ = -1;
    std::string builtFor_ = "PRINTER";
    bool builtTypical_ = true;
    bool typical_ = true;
    common::OsVariant os_ = common::osWin9x;
};

} // namespace setup
