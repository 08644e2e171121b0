#pragma once

#include "platform/services.h"

namespace platform::sim {

class SimMachine;

class SimServices : public Services {
public:
    explicit SimServices(SimMachine& machine) : machine_(machine) {}

private:
    [[maybe_unused]] SimMachine& machine_;
};

}  // namespace platform::sim
