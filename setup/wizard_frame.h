// The wizard frame (template 102): the picture strip, the page area, Back,
// Next/Install and Cancel. It owns the five pages, moves between them, runs
// the checks that sit between pages, prepares the port page and, on Install,
// hands the gathered choice to the Install action.
#pragma once

#include "setup/engine/install_action.h"
#include "setup/pages/licence_page.h"
#include "setup/pages/mode_page.h"
#include "setup/pages/os_page.h"
#include "setup/pages/port_page.h"
#include "setup/pages/type_page.h"

#include <array>
#include <functional>

namespace setup {

enum class PageIndex : int { Licence = 0, Type = 1, Mode = 2, Os = 3, Port = 4 };

class WizardFrame : public ui::DialogController<std::string>, private WizardFrameControl {
public:
    // How the Install action's worker is run: on Windows a thread of its own
    // with the progress dialog, in tests and tools in place.
    using RunnerFactory = std::function<WorkerRunner&(View& frame)>;

    WizardFrame(WizardContext& context, RunnerFactory runner);

    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    bool onSysCommand(View& view, unsigned command) override;
    bool onHelp(View& view) override;

    // What the last Install did; empty before one ran.
    const std::optional<InstallOutcome>& outcome() const { return outcome_; }
    int currentPage() const { return current_; }
    // The request the pages hold now (as Install would take it).
    InstallRequest request(View& view) const;

    TypePage& typePage() { return type_; }
    ModePage& modePage() { return mode_; }
    OsPage& osPage() { return os_; }
    PortPage& portPage() { return port_; }

private:
    static constexpr int pageCount = 5;

    void enableNext(bool enabled) override;
    void closeWizard() override;

    bool setActivePage(int index);
    WizardPage& page(int index);
    View& pageView(int index) { return *views_[static_cast<std::size_t>(index)]; }
    void next(View& view);
    void back(View& view);
    void install(View& view);
    bool leaveTypePage();
    bool leaveOsPage();
    void showAbout(View& view);

    WizardContext& context_;
    RunnerFactory runner_;
    View* frame_ = nullptr;
    LicencePage licence_;
    TypePage type_;
    ModePage mode_;
    OsPage os_;
    PortPage port_;
    std::array<View*, pageCount> views_{};
    int current_ = -1;
    bool reloadBaudRate_ = true;
    bool closing_ = false;
    bool installing_ = false;
    std::optional<InstallOutcome> outcome_;
};

// The About box (template 100).
class AboutBox : public ui::DialogController<std::string> {
public:
    explicit AboutBox(WizardContext& context) : context_(context) {}
    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;

private:
    WizardContext& context_;
};

} // namespace setup
