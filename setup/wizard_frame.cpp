#include "setup/wizard_frame.h"

#include "common/config_int.h"
#include "common/language_text.h"
#include "common/os_variant.h"
#include "platform/machine.h"
#include "setup/res/resource.h"

#include <cstdio>

namespace setup {
namespace {

constexpr int templates[] = {IDD_LICENCE_PAGE, IDD_TYPE_PAGE, IDD_MODE_PAGE, IDD_OS_PAGE,
                             IDD_PORT_PAGE};
constexpr int lastPage = static_cast<int>(PageIndex::Port);

std::string dotted(const ui::Address& a) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", a[0], a[1], a[2], a[3]);
    return text;
}

} // namespace

WizardFrame::WizardFrame(WizardContext& context, RunnerFactory runner)
    : context_(context), runner_(std::move(runner)), licence_(context, *this), type_(context),
      mode_(context), os_(context), port_(context) {}

WizardPage& WizardFrame::page(int index) {
    switch (static_cast<PageIndex>(index)) {
    case PageIndex::Licence:
        return licence_;
    case PageIndex::Type:
        return type_;
    case PageIndex::Mode:
        return mode_;
    case PageIndex::Os:
        return os_;
    case PageIndex::Port:
        break;
    }
    return port_;
}

void WizardFrame::enableNext(bool enabled) {
    if (frame_ != nullptr)
        frame_->enable(ui::idOk, enabled);
}

void WizardFrame::closeWizard() {
    closing_ = true;
    if (frame_ != nullptr)
        frame_->close(ui::idCancel);
}

void WizardFrame::onInit(View& view) {
    frame_ = &view;
    view.addSystemMenuItem(IDM_ABOUTBOX, context_.texts.message("IDS_ABOUTBOX"));
    view.setIcon(IDR_MAINFRAME);
    if (const Font* font = context_.font())
        view.applyFont(*font);
    view.setCaption(context_.texts.get("Setup", "Caption"));
    view.setText(IDC_HELP_HINT, context_.texts.get("Setup", "Help"));

    for (int i = 0; i < pageCount; ++i)
        views_[static_cast<std::size_t>(i)] =
            &view.createChild(templates[i], page(i), IDC_PAGE_AREA);
    if (closing_) // the licence could not be read
        return;
    if (context_.licenceInUse) {
        setActivePage(static_cast<int>(PageIndex::Licence));
    } else {
        view.enable(ui::idOk, true);
        setActivePage(static_cast<int>(PageIndex::Type));
    }
    view.setText(IDC_BACK, context_.texts.get("Setup", "Back"));
    view.setText(ui::idOk, context_.texts.get("Setup", pageCount < 2 ? "Install" : "Next"));
    view.setText(ui::idCancel, context_.texts.get("Setup", "Cancel"));

    if (!view.setPictureFile(IDC_LEFT_PICTURE, "DRVCONFIG\\Left.bmp")) {
        context_.show(view.window(), context_.texts.message("IDS_ERR_NOLEFT"));
        closeWizard();
        return;
    }
    const common::LanguageText messages(context_.machine.profiles(), context_.texts.file(),
                                        "Message");
    const common::OsVariant os = common::detectOsVariant(context_.machine, messages);
    if (os >= common::os2000 && os <= common::osWin7 &&
        !common::isAdministrator(context_.machine)) {
        context_.show(view.window(), context_.texts.message("IDS_ADMIN"));
        closeWizard();
    }
}

bool WizardFrame::setActivePage(int index) {
    const int leaving = current_;
    if (leaving >= 0) {
        if (!page(leaving).store(pageView(leaving)))
            return false;
        pageView(leaving).showDialog(false);
    }
    if (index < 0 || index >= pageCount)
        return false;
    if (leaving == static_cast<int>(PageIndex::Mode) && index < leaving)
        reloadBaudRate_ = true;
    if (leaving == static_cast<int>(PageIndex::Licence))
        enableNext(type_.hasModels());
    if (leaving < index) {
        if (leaving == static_cast<int>(PageIndex::Type))
            leaveTypePage();
        if (leaving == static_cast<int>(PageIndex::Os) && !leaveOsPage()) {
            current_ = leaving;
            page(leaving).refreshTexts(pageView(leaving));
            pageView(leaving).showDialog(true);
            return false;
        }
    }
    current_ = index;
    page(index).refreshTexts(pageView(index));
    pageView(index).showDialog(true);
    return true;
}

bool WizardFrame::leaveTypePage() {
    const std::string file =
        context_.programFolder + "\\" + capitalisedTypeFileName(type_.type(), context_.wow64);
    const int advanced = common::readConfigInt(context_.machine.profiles(), file,
                                               type_.model() + ".PORT", "AdvancedSetup");
    mode_.offerAdvanced(pageView(static_cast<int>(PageIndex::Mode)), advanced != 0);
    return true;
}

bool WizardFrame::leaveOsPage() {
    const std::string file =
        context_.programFolder + "\\" + capitalisedTypeFileName(type_.type(), context_.wow64);
    const std::string section = type_.model() + ".PORT";
    auto read = [&](const char* key) {
        return common::readConfigInt(context_.machine.profiles(), file, section, key);
    };
    if (reloadBaudRate_) {
        port_.applyBaudRate(pageView(static_cast<int>(PageIndex::Port)), read("BaudRate"));
        reloadBaudRate_ = false;
    }
    struct Need {
        common::OsVariant os;
        const char* key;
        const char* message;
    };
    static const Need needs[] = {{common::osNt4, "SystemNTSupported", "IDS_NOTSUPPORTNT"},
                                 {common::os2003, "System2003Supported", "IDS_NOTSUPPORT2003"},
                                 {common::osVista, "SystemVistaSupported", "IDS_NOTSUPPORTVISTA"},
                                 {common::os2008, "System2008Supported", "IDS_NOTSUPPORT2008"},
                                 {common::osWin7, "SystemWin7Supported", "IDS_NOTSUPPORTWin7"}};
    for (const Need& need : needs) {
        if (os_.code() == need.os && read(need.key) == 0) {
            context_.show(frame_->window(), context_.texts.message(need.message));
            return false;
        }
    }
    return true;
}

void WizardFrame::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice != ui::Notice::Clicked)
        return;
    switch (event.id) {
    case ui::idOk:
        next(view);
        break;
    case IDC_BACK:
        back(view);
        break;
    case ui::idCancel:
        // Cancel, Escape and the close box end the wizard at once; nothing was
        // written that needs undoing. Not while an installation runs.
        if (!installing_)
            view.close(ui::idCancel);
        break;
    default:
        break;
    }
}

void WizardFrame::next(View& view) {
    if (installing_)
        return;
    if (current_ < lastPage) {
        setActivePage(current_ + 1);
        if (current_ == lastPage) {
            port_.buildPortList(pageView(lastPage), type_.model(), os_.code(), type_.type(),
                                mode_.typical());
            view.setText(ui::idOk, context_.texts.get("Setup", "Install"));
        }
        view.enable(IDC_BACK, true);
        view.focus(ui::idOk);
        return;
    }
    install(view);
}

void WizardFrame::back(View& view) {
    if (installing_)
        return;
    if (current_ > 0) {
        view.setText(ui::idOk, context_.texts.get("Setup", "Next"));
        setActivePage(current_ - 1);
        if (!context_.licenceInUse && current_ == static_cast<int>(PageIndex::Type))
            view.enable(IDC_BACK, false);
    }
    if (current_ <= 0) {
        view.enable(IDC_BACK, false);
        view.focus(ui::idOk);
    }
    view.enable(ui::idOk, true);
}

InstallRequest WizardFrame::request(View& view) const {
    InstallRequest r;
    r.type = type_.type();
    r.model = type_.model();
    r.setAsDefault = type_.setAsDefault();
    r.typical = mode_.typical();
    r.os = os_.code();
    r.portText = port_.portText();
    r.flavour = port_.raster() ? DriverFlavour::Raster : DriverFlavour::Standard;
    r.baud = port_.baud();
    r.dataBits = port_.byteSize();
    r.stopBits = port_.stopBits();
    r.parity = port_.parity();
    r.flow = port_.protocol();
    const std::optional<ui::Address> address = views_[lastPage]->address(IDC_IP_ADDRESS);
    r.ipAddress = address.value_or(ui::Address{});
    r.ipText = dotted(r.ipAddress);
    r.programFolder = context_.programFolder;
    r.wow64 = context_.wow64;
    r.ownerWindow = view.window();
    r.log = context_.log;
    return r;
}

void WizardFrame::install(View& view) {
    for (int i = 0; i < pageCount; ++i) {
        if (!page(i).store(pageView(i)))
            return;
    }
    // The progress dialog is modal, but a second Install must not start even
    // if a message reaches the frame while the first one runs.
    installing_ = true;
    outcome_ = runInstall(context_.machine, request(view), runner_(view));
    installing_ = false;
    if (outcome_->wizardCloses())
        view.close(ui::idOk);
}

bool WizardFrame::onSysCommand(View& view, unsigned command) {
    if (command < IDM_ABOUTBOX || command > IDM_ABOUTBOX + 15)
        return false;
    showAbout(view);
    return true;
}

void WizardFrame::showAbout(View& view) {
    AboutBox about(context_);
    view.runModal(IDD_ABOUTBOX, about);
}

bool WizardFrame::onHelp(View& view) {
    const std::string caption = context_.texts.get("Help Guide", "Caption");
    platform::Desktop& desktop = context_.machine.desktop();
    if (const platform::Handle open = caption.empty() ? 0 : desktop.FindWindowA(caption)) {
        desktop.SetForegroundWindow(open);
        desktop.ShowWindow(open, platform::sw::restore);
        return true;
    }
    const std::string name = context_.texts.get("Help Guide", "Name");
    if (name.empty())
        return true;
    const std::string file = ".\\" + name;
    if (desktop.ShellExecuteA(view.window(), "open", file, "", "", platform::sw::show) <= 32)
        context_.show(view.window(), "The help file " + file + " cannot be opened.");
    return true;
}

void AboutBox::onInit(View& view) {
    if (common::readConfigInt(context_.machine.profiles(), "DRVCONFIG\\setup.ini", "DEVICENAME",
                              "LANGUAGE") == 0) {
        view.applyFont(sharedChineseFont());
    }
    view.setText(IDC_ABOUT_VERSION, context_.texts.get("About", "Version"));
    view.setText(IDC_ABOUT_COPYRIGHT, context_.texts.get("About", "Copyright"));
    view.setText(ui::idOk, context_.texts.get("About", "OK"));
    view.setCaption(context_.texts.get("About", "Caption"));
}

void AboutBox::onEvent(View& view, const ui::ControlEvent& event) {
    if (event.notice == ui::Notice::Clicked && (event.id == ui::idOk || event.id == ui::idCancel))
        view.close(event.id);
}

} // namespace setup
