#include "oemui/activation_policy.h"

#include "platform/win_types.h"

namespace oemui {

ModalRun planModalRun(bool haveContext, bool contextsUnavailable) {
    // Without a context the dialogs still work, with the system's own controls:
    // the same choice the pages make when PSP_USEFUSIONCONTEXT cannot be set.
    return haveContext && !contextsUnavailable ? ModalRun::InContext : ModalRun::WithoutContext;
}

ModalRun afterFailedActivation(std::uint32_t lastError, bool& contextsUnavailable) {
    switch (lastError) {
    case platform::err::callNotImplemented:
    case platform::err::modNotFound:
    case platform::err::procNotFound:
        contextsUnavailable = true;
        return ModalRun::WithoutContext;
    default:
        return ModalRun::Refuse;
    }
}

} // namespace oemui
