#pragma once

#include "platform/spooler.h"

namespace platform::sim {

class SimMachine;

class SimSpooler : public Spooler {
public:
    explicit SimSpooler(SimMachine& machine) : machine_(machine) {}

private:
    [[maybe_unused]] SimMachine& machine_;
};

}  // namespace platform::sim
