// The universal printer driver's files as the system itself holds them: in
// the driver cache's cabinets on Windows 2000, XP and Server 2003, in the
// driver store on Vista, Server 2008 and Windows 7.
#pragma once

#include <optional>
#include <string>

namespace setup {

class InstallSession;

// 2000-2003: the upper-cased support file from the driver cache into the
// printer-driver directory. nullopt when the cache could not supply it and the
// package's own copy is to be used.
std::optional<int> copyFromDriverCache(InstallSession& session, const std::string& name);

// Vista-7: the same from the driver store's "ntprint" package; there is no
// fall-back to the package.
int copyFromDriverStore(InstallSession& session, const std::string& name);

// Extracts the six support files from every cabinet of the driver cache into
// the temporary folder; true when the last cabinet was read.
bool extractSystemUniDrv(InstallSession& session);

} // namespace setup
