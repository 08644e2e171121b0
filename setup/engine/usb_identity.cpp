#include "setup/engine/usb_identity.h"

#include "common/language_text.h"
#include "platform/machine.h"
#include "setup/engine/engine_texts.h"

#include <vector>

namespace setup {
namespace {

constexpr int deviceSlots = 8;

bool isDevice(std::int32_t handle) {
    return handle != 0 && handle != -1;
}

// KvUsbInt.dll loaded for one operation and released on every path.
class UsbLibrary {
public:
    explicit UsbLibrary(platform::Machine& machine)
        : machine_(machine), module_(machine.system().LoadLibraryA("KvUsbInt.dll")) {}
    ~UsbLibrary() {
        if (device_ != 0)
            machine_.usb().CloseDevice(module_, device_);
        if (module_ != 0)
            machine_.system().FreeLibrary(module_);
    }
    UsbLibrary(const UsbLibrary&) = delete;
    UsbLibrary& operator=(const UsbLibrary&) = delete;

    bool loaded() const { return module_ != 0; }
    bool has(std::initializer_list<const char*> functions) {
        for (const char* f : functions) {
            if (!machine_.system().GetProcAddress(module_, f))
                return false;
        }
        return true;
    }
    // The first index that answers with a device, kept open until the end.
    bool openFirst() {
        for (int index = 0; index < deviceSlots; ++index) {
            const std::int32_t handle = machine_.usb().OpenDeviceX(module_, index);
            if (isDevice(handle)) {
                device_ = handle;
                return true;
            }
        }
        return false;
    }
    int countDevices() {
        int count = 0;
        for (int index = 0; index < deviceSlots; ++index) {
            const std::int32_t handle = machine_.usb().OpenDeviceX(module_, index);
            if (!isDevice(handle))
                continue;
            machine_.usb().CloseDevice(module_, handle);
            ++count;
            if (count > 1)
                break;
        }
        return count;
    }
    platform::Handle module() const { return module_; }
    std::int32_t device() const { return device_; }

private:
    platform::Machine& machine_;
    platform::Handle module_;
    std::int32_t device_ = 0;
};

void say(platform::Machine& machine, platform::Handle owner, const std::string& text) {
    machine.desktop().MessageBoxA(owner, text, "", platform::mb::ok);
}

} // namespace

int readUsbPrinterId(platform::Machine& machine, const common::LanguageText& messages,
                     platform::Handle owner) {
    UsbLibrary library(machine);
    if (!library.loaded()) {
        say(machine, owner, "Can not load KvUsbInt.dll");
        return noUsbPrinter;
    }
    if (!library.has({"OpenDeviceX", "GetDescriptor", "CloseDevice"})) {
        say(machine, owner, "open function error");
        return noUsbPrinter;
    }
    if (library.countDevices() > 1) {
        const std::string text = messages.get("IDS_ERR_ONEPRINTER");
        say(machine, owner, text.empty() ? fallbackText("IDS_ERR_ONEPRINTER") : text);
        return severalUsbPrinters;
    }
    if (!library.openFirst())
        return noUsbPrinter;
    std::vector<std::uint8_t> descriptor(20, 0);
    if (machine.usb().GetDescriptor(library.module(), library.device(), descriptor) == 0 ||
        descriptor.size() < 14) {
        say(machine, owner, "Get Device ID error");
        return noUsbPrinter;
    }
    return descriptor[12] | (descriptor[13] << 8);
}

std::array<std::uint8_t, 10> setIdentityCommand(int number) {
    return {0x1B, 0x73, 0x5A, 0x31, 0xC4,
            0x7E, 0x1D, 0x49, 0x20, static_cast<std::uint8_t>(number - 1)};
}

SetIdResult setUsbPrinterId(platform::Machine& machine, int number, platform::Handle owner) {
    if (number < 1 || number > 8)
        return SetIdResult::Refused;
    UsbLibrary library(machine);
    if (!library.loaded() || !library.has({"OpenDeviceX", "uWrite", "CloseDevice"})) {
        say(machine, owner, "open function error");
        return SetIdResult::Failed;
    }
    if (!library.openFirst()) {
        say(machine, owner, "Can not find USB device.");
        return SetIdResult::Failed;
    }
    const auto command = setIdentityCommand(number);
    if (machine.usb().uWrite(library.module(), library.device(), 0,
                             std::vector<std::uint8_t>(command.begin(), command.end())) <= 0) {
        say(machine, owner, "write ID error");
        return SetIdResult::Failed;
    }
    return SetIdResult::Sent;
}

} // namespace setup
