// What the spooler holds, for the Wine tests: one line per printer
// ("printer NAME port PORT driver DRIVER") and per driver of each environment
// ("driver ENVIRONMENT NAME"), as EnumPrintersA and EnumPrinterDriversA list them.
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <vector>

int main() {
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed + 1);
    if (EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count)) {
        const auto* printers = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        for (DWORD i = 0; i < count; ++i)
            std::printf("printer %s port %s driver %s\n", printers[i].pPrinterName,
                        printers[i].pPortName, printers[i].pDriverName);
    } else {
        std::printf("EnumPrintersA error %lu\n", GetLastError());
    }
    for (const char* environment : {"Windows NT x86", "Windows x64"}) {
        needed = count = 0;
        EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 2, nullptr, 0, &needed,
                            &count);
        std::vector<BYTE> drivers(needed + 1);
        if (!EnumPrinterDriversA(nullptr, const_cast<char*>(environment), 2, drivers.data(), needed,
                                 &needed, &count))
            continue;
        const auto* info = reinterpret_cast<const DRIVER_INFO_2A*>(drivers.data());
        for (DWORD i = 0; i < count; ++i)
            std::printf("driver %s %s\n", environment, info[i].pName);
    }
    return 0;
}
