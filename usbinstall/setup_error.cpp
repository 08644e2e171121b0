#include "usbinstall/setup_error.h"

#include "platform/machine.h"
#include "usbinstall/install_tables.h"

#include <cstdio>

namespace usbinstall {
namespace {

struct NamedError {
    std::uint32_t code;
    const char* name;
};

// APPLICATION_ERROR_MASK | ERROR_SEVERITY_ERROR
constexpr std::uint32_t base = 0xE0000000;

// In the header's order; the four older names repeat codes named above them,
// so a lookup never reaches them.
const NamedError setupErrors[] = {
    {base | 0x000, "ERROR_EXPECTED_SECTION_NAME"},
    {base | 0x001, "ERROR_BAD_SECTION_NAME_LINE"},
    {base | 0x002, "ERROR_SECTION_NAME_TOO_LONG"},
    {base | 0x003, "ERROR_GENERAL_SYNTAX"},
    {base | 0x100, "ERROR_WRONG_INF_STYLE"},
    {base | 0x101, "ERROR_SECTION_NOT_FOUND"},
    {base | 0x102, "ERROR_LINE_NOT_FOUND"},
    {base | 0x103, "ERROR_NO_BACKUP"},
    {base | 0x200, "ERROR_NO_ASSOCIATED_CLASS"},
    {base | 0x201, "ERROR_CLASS_MISMATCH"},
    {base | 0x202, "ERROR_DUPLICATE_FOUND"},
    {base | 0x203, "ERROR_NO_DRIVER_SELECTED"},
    {base | 0x204, "ERROR_KEY_DOES_NOT_EXIST"},
    {base | 0x205, "ERROR_INVALID_DEVINST_NAME"},
    {base | 0x206, "ERROR_INVALID_CLASS"},
    {base | 0x207, "ERROR_DEVINST_ALREADY_EXISTS"},
    {base | 0x208, "ERROR_DEVINFO_NOT_REGISTERED"},
    {base | 0x209, "ERROR_INVALID_REG_PROPERTY"},
    {base | 0x20A, "ERROR_NO_INF"},
    {base | 0x20B, "ERROR_NO_SUCH_DEVINST"},
    {base | 0x20C, "ERROR_CANT_LOAD_CLASS_ICON"},
    {base | 0x20D, "ERROR_INVALID_CLASS_INSTALLER"},
    {base | 0x20E, "ERROR_DI_DO_DEFAULT"},
    {base | 0x20F, "ERROR_DI_NOFILECOPY"},
    {base | 0x210, "ERROR_INVALID_HWPROFILE"},
    {base | 0x211, "ERROR_NO_DEVICE_SELECTED"},
    {base | 0x212, "ERROR_DEVINFO_LIST_LOCKED"},
    {base | 0x213, "ERROR_DEVINFO_DATA_LOCKED"},
    {base | 0x214, "ERROR_DI_BAD_PATH"},
    {base | 0x215, "ERROR_NO_CLASSINSTALL_PARAMS"},
    {base | 0x216, "ERROR_FILEQUEUE_LOCKED"},
    {base | 0x217, "ERROR_BAD_SERVICE_INSTALLSECT"},
    {base | 0x218, "ERROR_NO_CLASS_DRIVER_LIST"},
    {base | 0x219, "ERROR_NO_ASSOCIATED_SERVICE"},
    {base | 0x21A, "ERROR_NO_DEFAULT_DEVICE_INTERFACE"},
    {base | 0x21B, "ERROR_DEVICE_INTERFACE_ACTIVE"},
    {base | 0x21C, "ERROR_DEVICE_INTERFACE_REMOVED"},
    {base | 0x21D, "ERROR_BAD_INTERFACE_INSTALLSECT"},
    {base | 0x21E, "ERROR_NO_SUCH_INTERFACE_CLASS"},
    {base | 0x21F, "ERROR_INVALID_REFERENCE_STRING"},
    {base | 0x220, "ERROR_INVALID_MACHINENAME"},
    {base | 0x221, "ERROR_REMOTE_COMM_FAILURE"},
    {base | 0x222, "ERROR_MACHINE_UNAVAILABLE"},
    {base | 0x223, "ERROR_NO_CONFIGMGR_SERVICES"},
    {base | 0x224, "ERROR_INVALID_PROPPAGE_PROVIDER"},
    {base | 0x225, "ERROR_NO_SUCH_DEVICE_INTERFACE"},
    {base | 0x226, "ERROR_DI_POSTPROCESSING_REQUIRED"},
    {base | 0x227, "ERROR_INVALID_COINSTALLER"},
    {base | 0x228, "ERROR_NO_COMPAT_DRIVERS"},
    {base | 0x229, "ERROR_NO_DEVICE_ICON"},
    {base | 0x22A, "ERROR_INVALID_INF_LOGCONFIG"},
    {base | 0x22B, "ERROR_DI_DONT_INSTALL"},
    {base | 0x22C, "ERROR_INVALID_FILTER_DRIVER"},
    {base | 0x21A, "ERROR_NO_DEFAULT_INTERFACE_DEVICE"},
    {base | 0x21B, "ERROR_INTERFACE_DEVICE_ACTIVE"},
    {base | 0x21C, "ERROR_INTERFACE_DEVICE_REMOVED"},
    {base | 0x225, "ERROR_NO_SUCH_INTERFACE_DEVICE"},
    {base | 0x1000, "ERROR_NOT_INSTALLED"},
};

} // namespace

const char* setupErrorName(std::uint32_t code) {
    for (const NamedError& e : setupErrors) {
        if (e.code == code)
            return e.name;
    }
    return nullptr;
}

std::string setupErrorText(platform::Machine& machine, const std::string& operation,
                           std::uint32_t code) {
    std::string systemText;
    char head[64];
    if (machine.system().FormatMessageA(code, systemText)) {
        // Unsigned: SetupAPI's codes have the top bit set and would read as negative.
        std::snprintf(head, sizeof head, "Error %lu in ", static_cast<unsigned long>(code));
        return head + operation + ": " + systemText + "\n";
    }
    std::snprintf(head, sizeof head, "Error %8.8lX in ", static_cast<unsigned long>(code));
    if (const char* name = setupErrorName(code))
        return head + operation + ": " + name + "\n";
    return head + operation + "\n";
}

void reportSetupError(platform::Machine& machine, platform::Handle owner,
                      const std::string& operation, std::uint32_t code) {
    machine.desktop().MessageBoxA(owner, setupErrorText(machine, operation, code), installerCaption,
                                  platform::mb::ok);
}

} // namespace usbinstall
