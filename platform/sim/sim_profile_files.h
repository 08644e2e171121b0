#pragma once

#include "platform/profile_files.h"

#include <string>

namespace platform::sim {

class SimMachine;

// The private-profile functions over the simulated file system.
class SimProfileFiles : public ProfileFiles {
public:
    explicit SimProfileFiles(SimMachine& machine);

    std::string GetPrivateProfileStringA(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, std::size_t bufferSize,
                                         const std::string& file) override;
    bool WritePrivateProfileStringA(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) override;
    bool WriteProfileStringA(const std::string& section, const std::string& key,
                             const std::string& value) override;
    bool FlushProfile() override;

    // The full Windows path a profile file name stands for.
    std::string profilePath(const std::string& file) const;

private:
    SimMachine& machine_;
};

} // namespace platform::sim
