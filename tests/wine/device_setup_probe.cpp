// The real SetupAPI through the seam's Win32 adapters, for the Wine test
// device_setup.test.sh to compare with what the simulated machine answers.
//   device_setup_probe inf <path>   the INF as tests/support/inf_listing.h lists it
//   device_setup_probe cab <cabinet> <folder>
//                                   extracts every member but those ending in
//                                   ".skip" into the folder: "member <name>"
//   device_setup_probe classdevs    present devices of the USB class: "devices <n>"
// The last line is "result ok" or "result error <code>".
#include "platform/win32/win32_device_setup.h"
#include "tests/support/inf_listing.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

platform::win32::Win32DeviceSetup setup;

int result(bool ok) {
    if (ok) {
        std::printf("result ok\n");
        return 0;
    }
    std::printf("result error %08lX\n", static_cast<unsigned long>(GetLastError()));
    return 1;
}

int inf(const std::string& path) {
    const std::string listing = testsupport::infListing(setup, path);
    std::printf("%s", listing.c_str());
    return result(!listing.empty());
}

int cab(const std::string& cabinet, const std::string& folder) {
    const bool ok =
        setup.SetupIterateCabinetA(cabinet, [&](const std::string& member, std::string& target) {
            std::printf("member %s\n", member.c_str());
            target = folder + "\\" + member;
            return member.size() < 5 || member.compare(member.size() - 5, 5, ".skip") != 0;
        });
    return result(ok);
}

int classDevs() {
    const platform::Guid usb = {
        0x36FC9E60, 0xC465, 0x11CF, {0x80, 0x56, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
    const platform::Handle set = setup.SetupDiGetClassDevsA(usb, "", 0, platform::digcf::present);
    if (set == platform::invalidHandle)
        return result(false);
    platform::DeviceInfoData data;
    std::uint32_t n = 0;
    while (setup.SetupDiEnumDeviceInfo(set, n, data))
        ++n;
    const bool ended = GetLastError() == ERROR_NO_MORE_ITEMS;
    std::printf("devices %lu\n", static_cast<unsigned long>(n));
    setup.SetupDiDestroyDeviceInfoList(set);
    return result(ended);
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "inf" && argc == 3)
        return inf(argv[2]);
    if (command == "cab" && argc == 4)
        return cab(argv[2], argv[3]);
    if (command == "classdevs")
        return classDevs();
    std::fprintf(stderr,
                 "usage: device_setup_probe inf <path> | cab <cabinet> <folder> | classdevs\n");
    return 2;
}
