#include "platform/sim/sim_spooler.h"

#include "platform/sim/sim_machine.h"

namespace platform::sim {

SimSpooler::SimSpooler(SimMachine& machine) : machine_(machine) {}

void SimSpooler::notImplemented() { machine_.SetLastError(err::callNotImplemented); }

}  // namespace platform::sim
