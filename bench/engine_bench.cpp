// CPU time of whole installations on the simulated machine, and how it grows
// with the printers already there: a USB printer installed beside N others on
// its port, and a serial printer whose name is taken N times, so that the
// numbered names "(1)" .. "(N)" are tried first.
#include "platform/sim/sim_machine.h"
#include "setup/progress_dialog.h"
#include "tests/support/sample_package.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

namespace {

using namespace installtest;

// One package for every run; each run gets a fresh machine beside it.
class Workspace {
public:
    Workspace() {
        root_ = fs::temp_directory_path() / ("engine-bench-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        writeSamplePackage(root_ / "package");
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    std::unique_ptr<SimMachine> machine(WindowsVariant os, int bits) {
        const fs::path drive = root_ / ("machine" + std::to_string(next_++));
        fs::remove_all(drive);
        platform::sim::SimConfig c;
        c.os = os;
        c.bits = bits;
        c.root = drive.string();
        c.packageDir = (root_ / "package").string();
        auto m = std::make_unique<SimMachine>(c);
        serveMakerPorts(*m);
        provideUsbInstaller(*m);
        return m;
    }

private:
    fs::path root_;
    int next_ = 0;
};

Workspace& workspace() {
    static Workspace w;
    return w;
}

setup::InstallRequest request(SimMachine& m, setup::PrinterType type, const std::string& model,
                              const std::string& port) {
    setup::InstallRequest r;
    r.type = type;
    r.model = model;
    r.portText = port;
    r.os = osVariantOf(m.config().os);
    r.programFolder = m.config().programFolder;
    r.wow64 = m.isWow64Process();
    r.flavour =
        port.rfind("USB_", 0) == 0 ? setup::DriverFlavour::Raster : setup::DriverFlavour::Standard;
    return r;
}

// N printers on a port, copies of the printer `source` under other names.
void addPrinters(SimMachine& m, const std::string& source, const std::string& base, int count,
                 bool numbered) {
    platform::PrinterInfo2 copy = *m.simSpooler().printer(source);
    for (int i = 1; i <= count; ++i) {
        copy.printerName =
            numbered ? base + "(" + std::to_string(i) + ")" : base + " " + std::to_string(i);
        m.spooler().AddPrinterA(copy);
    }
}

void runInstall(benchmark::State& state, SimMachine& m, const setup::InstallRequest& r) {
    setup::SynchronousProgress progress(m.clock());
    const setup::InstallOutcome outcome = setup::runInstall(m, r, progress);
    if (outcome.result != setup::InstallResult::Succeeded)
        state.SkipWithError(("installation failed: " + outcome.message).c_str());
}

// A typical USB installation on Windows 7 x64 with N printers already on the
// same USB port (installed under other names by an earlier run).
void BM_UsbInstall(benchmark::State& state) {
    const int others = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto m = workspace().machine(WindowsVariant::Win7, 64);
        if (others > 0) {
            runInstall(state, *m,
                       request(*m, setup::PrinterType::Receipt, "QRT-K500NX", "USB_QRT-K500NX_1"));
            addPrinters(*m, "QRT-K500NX(U) 1", "Other", others - 1, false);
            // The run measured installs a second model on the same port name.
            m->simRegistry().setDword("HKLM\\SOFTWARE\\KORVANE\\PORTNAME", "USB_QRT-T300_1", 0);
        }
        const auto r = request(*m, setup::PrinterType::Ticket, "QRT-T300", "USB_QRT-T300_1");
        state.ResumeTiming();
        runInstall(state, *m, r);
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}

// A serial installation on XP whose printer name is taken N times: the name
// is tried plain and then numbered until one is free.
void BM_SerialInstallNumbered(benchmark::State& state) {
    const int taken = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto m = workspace().machine(WindowsVariant::Xp, 32);
        const auto r = request(*m, setup::PrinterType::Receipt, "QRT-K500NX", "KVCOM1:");
        runInstall(state, *m, r); // "QRT-K500NX(S)"
        addPrinters(*m, "QRT-K500NX(S)", "QRT-K500NX(S)", taken - 1, true);
        state.ResumeTiming();
        runInstall(state, *m, r);
        state.PauseTiming();
        m.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_UsbInstall)->Arg(0)->Arg(1)->Arg(10)->Arg(98)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SerialInstallNumbered)->Arg(1)->Arg(10)->Arg(97)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
