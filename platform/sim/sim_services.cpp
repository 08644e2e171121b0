#include "platform/sim/sim_services.h"

#include "platform/sim/sim_machine.h"

namespace platform::sim {

SimServices::SimServices(SimMachine& machine) : machine_(machine) {}

void SimServices::notImplemented() { machine_.SetLastError(err::callNotImplemented); }

}  // namespace platform::sim
