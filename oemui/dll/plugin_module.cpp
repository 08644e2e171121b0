#include "oemui/dll/plugin_module.h"

#include "oemui/dll/in_context.h"
#include "oemui/dll/page_procedures.h"

namespace oemui::dll {

PluginModule::PluginModule() : host(runInContext) {}

PluginModule& pluginModule() {
    static PluginModule module;
    return module;
}

void Win32ModuleServices::setLastError(std::uint32_t code) {
    ::SetLastError(code);
}

void* Win32ModuleServices::moduleHandle() {
    return module_.instance;
}

void* Win32ModuleServices::activationContext() {
    return module_.activation.get(module_.instance);
}

DialogProc Win32ModuleServices::pageProcedure(int templateId) {
    // DLGPROC and the portable DialogProc are the same function type on x64.
    return reinterpret_cast<DialogProc>(reinterpret_cast<void (*)()>(pageProcedureFor(templateId)));
}

} // namespace oemui::dll
