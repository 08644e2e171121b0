// 57KXUI's entry point and COM exports (by name, 57KXUI.def).
#include <windows.h>

#include <objbase.h>

#include "oemui/class_factory.h"
#include "oemui/dll/plugin_module.h"

#include <cstring>

namespace {

oemui::Guid toGuid(const GUID& id) {
    static_assert(sizeof(GUID) == sizeof(oemui::Guid), "GUID layout");
    oemui::Guid guid;
    std::memcpy(&guid, &id, sizeof guid);
    return guid;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    auto& module = oemui::dll::pluginModule();
    if (reason == DLL_PROCESS_ATTACH) {
        module.instance = instance;
        ::DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        module.activation.release();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
    return oemui::getClassObject(oemui::dll::pluginModule().core, toGuid(clsid), toGuid(iid),
                                 object);
}

STDAPI DllCanUnloadNow() {
    return oemui::canUnloadNow(oemui::dll::pluginModule().core);
}
