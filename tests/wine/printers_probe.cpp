// What the spooler holds, for the Wine tests: one line per printer
// ("printer NAME port PORT driver DRIVER") and per driver of each environment
// ("driver ENVIRONMENT NAME"), as EnumPrintersA and EnumPrinterDriversA list them.
//   printers_probe                          list
//   printers_probe add PRINTER DRIVER DIR   add the driver DRIVER for "Windows x64" from the
//                                           files UNIDRV.DLL, K500NX.GPD, UNIDRVUI.DLL of DIR,
//                                           and the printer PRINTER with it on LPT1:
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int list() {
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

int add(const std::string& printerName, const std::string& driverName, const std::string& from) {
    char environment[] = "Windows x64";
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof folder, &needed)) {
        std::printf("GetPrinterDriverDirectoryA error %lu\n", GetLastError());
        return 1;
    }
    for (const char* file : {"UNIDRV.DLL", "K500NX.GPD", "UNIDRVUI.DLL"}) {
        const std::string source = from + "\\" + file;
        const std::string target = std::string(folder) + "\\" + file;
        if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            std::printf("CopyFileA %s error %lu\n", source.c_str(), GetLastError());
            return 1;
        }
    }
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(driverName.c_str());
    driver.pEnvironment = environment;
    driver.pDriverPath = const_cast<char*>("UNIDRV.DLL");
    driver.pDataFile = const_cast<char*>("K500NX.GPD");
    driver.pConfigFile = const_cast<char*>("UNIDRVUI.DLL");
    if (!AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) {
        std::printf("AddPrinterDriverA error %lu\n", GetLastError());
        return 1;
    }
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(printerName.c_str());
    printer.pPortName = const_cast<char*>("LPT1:");
    printer.pDriverName = const_cast<char*>(driverName.c_str());
    printer.pPrintProcessor = const_cast<char*>("winprint");
    printer.pDatatype = const_cast<char*>("RAW");
    HANDLE handle = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (handle == nullptr) {
        std::printf("AddPrinterA error %lu\n", GetLastError());
        return 1;
    }
    ClosePrinter(handle);
    std::printf("added %s\n", printerName.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "add")
        return add(argv[2], argv[3], argv[4]);
    return list();
}
