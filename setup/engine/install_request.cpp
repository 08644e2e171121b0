#include "setup/engine/install_request.h"

namespace setup {

std::string InstallRequest::setupIniPath() const {
    return programFolder + "\\DRVCONFIG\\setup.ini";
}

std::string InstallRequest::typeFilePath() const {
    const std::string name = capitalisedTypeFileName(type, wow64);
    return name.empty() ? std::string() : programFolder + "\\" + name;
}

} // namespace setup
