#include "setup/wizard_script.h"

#include "platform/machine.h"
#include "setup/dialog_templates.h"
#include "setup/res/resource.h"
#include "setup/wizard_frame.h"
#include "ui/fake_dialog.h"

#include <algorithm>
#include <cctype>

namespace setup {
namespace {

using Dialog = ui::FakeDialog<std::string>;

std::string join(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text.empty() ? "none" : text;
}

constexpr int typeButton(PrinterType type) {
    switch (type) {
    case PrinterType::Ticket:
        return IDC_TICKET;
    case PrinterType::Label:
        return IDC_LABEL;
    case PrinterType::Embedded:
        return IDC_EMBEDDED;
    default:
        return IDC_RECEIPT;
    }
}

constexpr int typeList(PrinterType type) {
    switch (type) {
    case PrinterType::Ticket:
        return IDC_TICKET_MODELS;
    case PrinterType::Label:
        return IDC_LABEL_MODELS;
    case PrinterType::Embedded:
        return IDC_EMBEDDED_MODELS;
    default:
        return IDC_RECEIPT_MODELS;
    }
}

class Script {
public:
    Script(platform::Machine& machine, const WizardChoice& choice, common::RunLog* log)
        : m_(machine), c_(choice), log_(log) {}

    WizardRun run(WorkerRunner& runner) {
        step("Start-up checks");
        const StartupResult startup = runStartup(m_);
        run_.startup = startup.outcome;
        run_.startupRefusal = startup.refusal;
        if (run_.startup == StartupOutcome::BroughtForward)
            return stop("another copy of the setup runs");
        if (run_.startup != StartupOutcome::RunWizard)
            return stop("the setup refused to start");
        // The program works from its own folder.
        std::string folder;
        m_.system().GetCurrentDirectoryA(folder);
        WizardContext context(m_, folder, startup);
        context.log = log_;
        step("Opening the wizard");
        WizardFrame frame(context, [&runner](View&) -> WorkerRunner& { return runner; });
        Dialog wizard(dialogTemplates(), IDD_WIZARD, frame);
        wizard.setPictureLoader([this](const std::string& path) { return isBitmap(path); });
        wizard.open();
        if (wizard.closed())
            return stop("the wizard closed as it opened");
        if (!(licence(wizard) && typeAndModel(wizard) && mode(wizard) &&
              operatingSystem(wizard, frame) && port(wizard)))
            return run_;
        wizard.click(ui::idOk);
        run_.outcome = frame.outcome();
        if (!run_.outcome)
            return stop("Install did nothing");
        for (const std::string& problem : wizard.problems())
            run_.stopped += (run_.stopped.empty() ? "" : "; ") + problem;
        return run_;
    }

private:
    WizardRun stop(const std::string& why) {
        run_.stopped = why;
        return run_;
    }

    bool isBitmap(const std::string& path) {
        std::vector<std::uint8_t> bytes;
        return m_.files().ReadFileBytes(path, bytes) && bytes.size() >= 54 && bytes[0] == 'B' &&
               bytes[1] == 'M';
    }

    bool refuse(const std::string& why, const char* choice = "") {
        run_.stopped = why;
        run_.refusedChoice = choice;
        return false;
    }

    void step(const std::string& what) {
        if (log_ != nullptr)
            log_->step(what);
    }

    bool next(Dialog& wizard) {
        if (!wizard.click(ui::idOk))
            return refuse("Next cannot be pressed: " + join(wizard.problems()));
        return !wizard.closed() || refuse("the wizard closed");
    }

    bool licence(Dialog& wizard) {
        Dialog* page = wizard.child(IDD_LICENCE_PAGE);
        if (!page->dialogVisible())
            return true;
        step("Licence page: accepted");
        page->click(IDC_ACCEPT);
        return next(wizard);
    }

    bool typeAndModel(Dialog& wizard) {
        Dialog& page = *wizard.child(IDD_TYPE_PAGE);
        const int button = typeButton(c_.type);
        const int list = typeList(c_.type);
        if (c_.type == PrinterType::None || !page.isEnabled(button))
            return refuse("the package has no printer of that type", "Type");
        page.click(button);
        const std::vector<std::string> models = page.items(list);
        const auto found = std::find(models.begin(), models.end(), c_.model);
        if (found == models.end())
            return refuse("the model \"" + c_.model +
                              "\" is not offered for that type; offered: " + join(models),
                          "Model");
        page.choose(list, static_cast<int>(found - models.begin()));
        if (page.isChecked(IDC_SET_DEFAULT) != c_.setAsDefault)
            page.click(IDC_SET_DEFAULT);
        step("Type and model page: " + c_.model + (c_.setAsDefault ? ", the default printer" : ""));
        return next(wizard);
    }

    bool mode(Dialog& wizard) {
        Dialog& page = *wizard.child(IDD_MODE_PAGE);
        if (c_.advanced && !page.isEnabled(IDC_ADVANCED))
            return refuse("advanced installation is not offered for " + c_.model, "Advanced");
        page.click(c_.advanced ? IDC_ADVANCED : IDC_TYPICAL);
        step(std::string("Install-mode page: ") + (c_.advanced ? "advanced" : "typical"));
        return next(wizard);
    }

    bool operatingSystem(Dialog& wizard, WizardFrame& frame) {
        step("Operating-system page: code " + std::to_string(frame.osPage().code()));
        if (!next(wizard))
            return false;
        if (frame.currentPage() != static_cast<int>(PageIndex::Port)) {
            run_.windowsRefused = true;
            return refuse("the wizard stays on the operating-system page");
        }
        return true;
    }

    bool port(Dialog& wizard) {
        Dialog& page = *wizard.child(IDD_PORT_PAGE);
        const std::vector<std::string> ports = page.items(IDC_PORTS);
        const auto found = std::find(ports.begin(), ports.end(), c_.port);
        if (found == ports.end())
            return refuse("the port \"" + c_.port +
                              "\" is not offered; the port page offers: " + join(ports),
                          "Port");
        page.choose(IDC_PORTS, static_cast<int>(found - ports.begin()));
        step("Port page: " + c_.port);
        auto pick = [&](int id, const std::string& text, const char* what, const char* key) {
            const std::vector<std::string> items = page.items(id);
            for (std::size_t i = 0; i < items.size(); ++i) {
                if (items[i] == text || (id == IDC_PARITY && !text.empty() && !items[i].empty() &&
                                         std::tolower(items[i][0]) == std::tolower(text[0])))
                    return page.choose(id, static_cast<int>(i)) ||
                           refuse(std::string("the ") + what + " cannot be chosen for this port",
                                  key);
            }
            return refuse(std::string("the ") + what + " \"" + text +
                              "\" is not offered; offered: " + join(items),
                          key);
        };
        if (c_.baud && !pick(IDC_BAUD, std::to_string(*c_.baud), "baud rate", "Baud"))
            return false;
        if (c_.dataBits &&
            !pick(IDC_BYTE_SIZE, std::to_string(*c_.dataBits), "data bits", "DataBits"))
            return false;
        if (c_.stopBits && !pick(IDC_STOP_BITS, *c_.stopBits, "stop bits", "StopBits"))
            return false;
        if (c_.parity && !pick(IDC_PARITY, std::string(1, *c_.parity), "parity", "Parity"))
            return false;
        if (c_.flow) {
            const char* item = *c_.flow == 'x' ? "Xon/Xoff" : *c_.flow == 'p' ? "Hardware" : "None";
            if (!pick(IDC_PROTOCOL, item, "flow control", "Flow"))
                return false;
        }
        if (c_.raster && page.isChecked(IDC_RASTER) != *c_.raster) {
            if (!page.isVisible(IDC_RASTER) || !page.isEnabled(IDC_RASTER))
                return refuse("the raster choice is not offered for this port and mode", "Raster");
            page.click(IDC_RASTER);
        }
        if (c_.address) {
            if (!page.isEnabled(IDC_IP_ADDRESS))
                return refuse("the address cannot be entered for this port", "Address");
            page.setAddress(IDC_IP_ADDRESS, c_.address);
        }
        return true;
    }

    platform::Machine& m_;
    const WizardChoice& c_;
    common::RunLog* log_;
    WizardRun run_;
};

} // namespace

WizardRun runWizardScript(platform::Machine& machine, const WizardChoice& choice,
                          WorkerRunner& runner, common::RunLog* log) {
    return Script(machine, choice, log).run(runner);
}

} // namespace setup
