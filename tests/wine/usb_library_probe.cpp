// Calls the maker's USB library through the seam's Win32 adapter many times
// over, so that a mismatch in who cleans up the arguments would show as a
// crash or a wrong answer. Argument: the library's full path. Prints
//   identity <word before> <word after> writes <count>
// and exits 0, or prints what failed and exits 1.
#include "platform/win32/win32_machine.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    platform::win32::Win32Machine m;
    const platform::Handle library = m.system().LoadLibraryA(argv[1]);
    if (library == 0) {
        std::printf("LoadLibraryA failed\n");
        return 1;
    }
    platform::UsbInterfaceLibrary& usb = m.usb();
    std::vector<std::uint8_t> descriptor;
    unsigned before = 0, after = 0;
    int sent = 0;
    for (int round = 0; round < 5000; ++round) {
        const std::int32_t none = usb.OpenDeviceX(library, 3);
        const std::int32_t device = usb.OpenDeviceX(library, 0);
        if (none != -1 || device != 0x4711 || usb.GetDescriptor(library, device, descriptor) == 0 ||
            descriptor.size() != 20) {
            std::printf("round %d: open %d/%d, descriptor of %u bytes\n", round, none, device,
                        static_cast<unsigned>(descriptor.size()));
            return 1;
        }
        const unsigned word = descriptor[12] | descriptor[13] << 8;
        if (round == 0)
            before = word;
        after = word;
        if (round == 4999) {
            const std::vector<std::uint8_t> setTo3 = {0x1B, 0x73, 0x5A, 0x31, 0xC4,
                                                      0x7E, 0x1D, 0x49, 0x20, 0x02};
            sent = usb.uWrite(library, device, 0, setTo3);
            usb.GetDescriptor(library, device, descriptor);
            after = descriptor[12] | descriptor[13] << 8;
        }
        usb.CloseDevice(library, device);
    }
    std::printf("identity %04X %04X written %d\n", before, after, sent);
    m.system().FreeLibrary(library);
    return 0;
}
