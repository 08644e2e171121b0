#include "setup/engine/model_support.h"

#include "common/config_int.h"

namespace setup {

ModelSupport readModelSupport(platform::ProfileFiles& profiles, const std::string& typeFile,
                              const std::string& model) {
    const std::string section = model + ".PORT";
    const auto read = [&](const char* key) {
        return common::readConfigInt(profiles, typeFile, section, key);
    };
    ModelSupport support;
    support.usb = read("USBSUPPORTED");
    support.lpt = read("LPTSUPPORTED");
    support.com = read("COMSUPPORTED");
    support.net = read("NETSUPPORTED");
    support.lptDefault = read("LPTDEFAULT");
    support.rasterHidden = read("RASTERVISIABLE");
    support.advancedSetup = read("AdvancedSetup");
    support.systemNt = read("SystemNTSupported");
    support.system2003 = read("System2003Supported");
    support.systemVista = read("SystemVistaSupported");
    support.system2008 = read("System2008Supported");
    support.systemWin7 = read("SystemWin7Supported");
    support.baudRate = read("BaudRate");
    return support;
}

} // namespace setup
