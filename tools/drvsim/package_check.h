// drvsim check: whether a package's configuration, driver files, language
// texts, Uninstall.ini and device-driver INF files agree, told before the
// package ships instead of by a failed installation.
#pragma once

#include <string>
#include <vector>

namespace drvsim {

enum class Severity { Error, Warning };

// One thing wrong, named by the package file, its section and key (either
// may be empty when the whole file or section is meant).
struct Finding {
    Severity severity = Severity::Error;
    std::string file; // below the package folder, as the programs name it: "DRVCONFIG\setup.ini"
    std::string section;
    std::string key;
    std::string text;
};

// The findings for the package in a host folder, errors and warnings in the
// order the package is read; each is given once.
std::vector<Finding> checkPackage(const std::string& folder);

// "error: DRVCONFIG\setup.ini [DEVICENAME] DEVICENUMBER: ..." a line each,
// then a line counting them.
std::string findingsText(const std::vector<Finding>& findings);
std::string findingsJson(const std::string& folder, const std::vector<Finding>& findings);

bool hasErrors(const std::vector<Finding>& findings);

} // namespace drvsim
