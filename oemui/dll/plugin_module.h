// The loaded plug-in's process-wide state, in one place: the module handle, the
// activation context, the counts behind DllCanUnloadNow and the seam the pages
// use. One instance per loaded module (plugin_module.cpp).
#pragma once

#include <windows.h>

#include "oemui/dll/activation_context.h"
#include "oemui/module_services.h"
#include "oemui/pages/sheet_state.h"
#include "platform/win32/win32_plugin_host.h"

namespace oemui::dll {

struct PluginModule;

// What the interface object asks of the DLL.
class Win32ModuleServices final : public ModuleServices {
public:
    explicit Win32ModuleServices(PluginModule& module) : module_(module) {}
    void setLastError(std::uint32_t code) override;
    void* moduleHandle() override;
    void* activationContext() override;
    DialogProc pageProcedure(int templateId) override;

private:
    PluginModule& module_;
};

struct PluginModule {
    PluginModule();

    HINSTANCE instance = nullptr; // recorded at process attach
    ActivationContext activation;
    Win32ModuleServices services{*this};
    OemUiModule core{services};
    platform::win32::Win32PluginHost host;
    pages::SheetState sheet;
};

PluginModule& pluginModule();

} // namespace oemui::dll
