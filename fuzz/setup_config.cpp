// The setup configuration reader on arbitrary setup.ini and type-file text:
// every plan it accepts keeps the limits the spooler records and the file
// names bare; nothing is read out of bounds.
#include "common/profile_file.h"
#include "platform/profile_files.h"
#include "setup/engine/config_reader.h"
#include "setup/engine/setup_config.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

// setup.ini and one type file, answered by the profile engine.
class TwoFiles : public platform::ProfileFiles {
public:
    TwoFiles(std::string setupIni, std::string typeFile)
        : setupIni_(std::move(setupIni)), typeFile_(std::move(typeFile)) {}
    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override {
        const bool isSetup = file.size() >= 9 && file.substr(file.size() - 9) == "setup.ini";
        return common::profileGetString(isSetup ? setupIni_ : typeFile_, section, key, defaultValue,
                                        bufferSize);
    }
    bool WritePrivateProfileStringA(const std::string&, const std::string&, const std::string&,
                                    const std::string&) override {
        return false;
    }
    bool WriteProfileStringA(const std::string&, const std::string&, const std::string&) override {
        return false;
    }
    bool FlushProfile() override { return true; }

private:
    std::string setupIni_, typeFile_;
};

void checkFile(const std::string& name) {
    check(name.size() <= setup::fileNameLimit);
    check(name.find_first_of("\\/:") == std::string::npos);
    check(name.find("..") == std::string::npos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The two files are separated by the first 0xFF byte; an odd size reads as
    // 64-bit Windows.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\xFF');
    TwoFiles files(input.substr(0, cut), cut == std::string::npos ? "" : input.substr(cut + 1));
    setup::SetupConfig config(files, "C:\\pkg", size % 2 == 1);
    config.selectType(setup::PrinterType::Receipt);

    const int count = config.modelCount();
    check(count >= 0 && count <= setup::maxModelCount);
    // Two entries and one variant an input: enough to reach every read, few
    // enough that a plain test run stays quick under the sanitizers.
    const int variants[] = {static_cast<int>(size % 8)};
    for (int i = 1; i <= count && i <= 2; ++i) {
        const setup::ModelEntry entry = config.modelEntry(i);
        if (entry.type == setup::PrinterType::None)
            continue;
        check(!entry.name.empty() && entry.name.size() < setup::modelNameLimit);
        for (const int os : variants) {
            for (int kind = 0; kind <= 3; ++kind) {
                for (int flavour = 0; flavour <= 1; ++flavour) {
                    setup::InstallPlan plan;
                    const setup::ConfigResult result = config.resolvePlan(
                        entry.name, os, static_cast<setup::DriverFlavour>(flavour),
                        static_cast<setup::PortKind>(kind), plan);
                    if (!result.ok()) {
                        check(plan.printer.printerName.empty());
                        continue;
                    }
                    check(plan.driver.name.size() <= setup::nameLimit);
                    check(plan.printer.printProcessor.size() <= setup::nameLimit);
                    std::size_t area = 1;
                    for (const std::string& f : plan.driver.dependentFiles) {
                        check(!f.empty());
                        checkFile(f);
                        area += f.size() + 1;
                    }
                    check(area <= setup::dependentFilesArea);
                    for (const std::string* f :
                         {&plan.files.driverPath, &plan.files.dataFile, &plan.files.configFile,
                          &plan.files.helpFile, &plan.files.processorDll, &plan.files.dataFileDll,
                          &plan.files.dataOemuiDll, &plan.files.dataOemuniDll,
                          &plan.files.dataOemuniIni, &plan.files.controlFontFile,
                          &plan.files.usbInternalId, &plan.monitors.usb.info.dllName,
                          &plan.monitors.usb.uiDll, &plan.monitors.serial.info.dllName,
                          &plan.monitors.serial.uiDll, &plan.languageMonitor.info.dllName})
                        checkFile(*f);
                }
            }
        }
    }
    return 0;
}
