#include "oemui/dll/in_context.h"

#include "oemui/activation_policy.h"
#include "oemui/dll/plugin_module.h"

namespace oemui::dll {

bool runInContext(const std::function<bool()>& call) {
    PluginModule& module = pluginModule();
    const bool haveContext = module.activation.get(module.instance) != nullptr;
    if (planModalRun(haveContext, module.activation.unavailable()) == ModalRun::WithoutContext) {
        return call();
    }
    ULONG_PTR cookie = 0;
    if (!module.activation.activate(cookie)) {
        bool unavailable = false;
        const ModalRun next = afterFailedActivation(::GetLastError(), unavailable);
        if (unavailable) {
            module.activation.markUnavailable();
        }
        return next == ModalRun::WithoutContext && call();
    }
    const bool result = call();
    module.activation.deactivate(cookie);
    return result;
}

INT_PTR RunModalDialog(int templateId, HWND owner, DLGPROC procedure, LPARAM param) {
    INT_PTR result = -1;
    runInContext([&] {
        result = ::DialogBoxParamW(pluginModule().instance, MAKEINTRESOURCEW(templateId), owner,
                                   procedure, param);
        return true;
    });
    return result;
}

} // namespace oemui::dll
