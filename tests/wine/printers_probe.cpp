// What the spooler holds, for the Wine tests: one line per printer
// ("printer NAME port PORT driver DRIVER") and per driver of each environment
// ("driver ENVIRONMENT NAME"), as EnumPrintersA and EnumPrinterDriversA list them.
//   printers_probe                          list
//   printers_probe add PRINTER DRIVER       add the driver DRIVER for "Windows x64" on Wine's
//                                           own PostScript driver with a PPD of its own, and
//                                           the printer PRINTER with it on LPT1:
//   printers_probe delete-driver DRIVER FLAGS  DeletePrinterDriverExA for "Windows x64" with
//                                           the delete flags FLAGS; prints "ok" or the error
#include <windows.h>

#include <winspool.h>

#include <cstdio>
#include <cstdlib>
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

// Wine's spooler asks a new printer's driver for its default settings, so the
// driver must be one Wine can load: its PostScript driver, which every prefix
// has, described by a PPD file written here.
const char ppd[] = "*PPD-Adobe: \"4.3\"\r\n"
                   "*FormatVersion: \"4.3\"\r\n"
                   "*LanguageVersion: English\r\n"
                   "*LanguageEncoding: ISOLatin1\r\n"
                   "*PCFileName: \"K500NX.PPD\"\r\n"
                   "*ModelName: \"QRT-K500NX\"\r\n"
                   "*NickName: \"QRT-K500NX Receipt\"\r\n"
                   "*DefaultPageSize: Letter\r\n"
                   "*PageSize Letter: \"<</PageSize[612 792]>>setpagedevice\"\r\n"
                   "*DefaultImageableArea: Letter\r\n"
                   "*ImageableArea Letter: \"0 0 612 792\"\r\n"
                   "*DefaultPaperDimension: Letter\r\n"
                   "*PaperDimension Letter: \"612 792\"\r\n";

int add(const std::string& printerName, const std::string& driverName) {
    char environment[] = "Windows x64";
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, environment, 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof folder, &needed)) {
        std::printf("GetPrinterDriverDirectoryA error %lu\n", GetLastError());
        return 1;
    }
    const std::string ppdPath = std::string(folder) + "\\K500NX.PPD";
    HANDLE file =
        CreateFileA(ppdPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE || !WriteFile(file, ppd, sizeof ppd - 1, &written, nullptr)) {
        std::printf("CreateFileA %s error %lu\n", ppdPath.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(file);
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(driverName.c_str());
    driver.pEnvironment = environment;
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("K500NX.PPD");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
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

int deleteDriver(const std::string& driverName, DWORD flags) {
    char environment[] = "Windows x64";
    SetLastError(0xDEAD);
    if (DeletePrinterDriverExA(nullptr, environment, const_cast<char*>(driverName.c_str()), flags,
                               0)) {
        std::printf("ok\n");
        return 0;
    }
    std::printf("error %lu\n", GetLastError());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "add")
        return add(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "delete-driver")
        return deleteDriver(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    return list();
}
