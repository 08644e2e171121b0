// The uninstaller's two small dialogs: the restart offer and the About box.
#pragma once

#include "uninstall/uninstall_context.h"

#include "ui/dialog_controller.h"

namespace uninstall {

// The restart dialog (template 129), offered once something was removed:
// Yes closes it as accepted (idOk), No as refused (idCancel).
class RestartDialog : public ui::DialogController<std::string> {
public:
    explicit RestartDialog(UninstallContext& context) : context_(context) {}
    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;

private:
    UninstallContext& context_;
};

// The About box (template 100).
class AboutBox : public ui::DialogController<std::string> {
public:
    explicit AboutBox(UninstallContext& context) : context_(context) {}
    void onInit(View& view) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;

private:
    UninstallContext& context_;
};

} // namespace uninstall
