// One text for what a DeviceSetup reads from an INF, the way the network
// install walks it: the class, then every line of every manufacturer's
// undecorated models section as "model <field 0>|<field 1>|...". The Wine test
// prints it from the real SetupAPI, the native test from the simulated one, and
// both compare it with the same expected file.
#pragma once

#include "platform/device_setup.h"

#include <cstdio>
#include <string>

namespace testsupport {

inline std::string guidText(const platform::Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.data1), g.data2, g.data3, g.data4[0], g.data4[1],
                  g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

// Empty when the INF cannot be read at all.
inline std::string infListing(platform::DeviceSetup& setup, const std::string& path) {
    platform::Guid guid;
    std::string className;
    if (!setup.SetupDiGetINFClassA(path, guid, className))
        return {};
    std::string out = "class " + className + " " + guidText(guid) + "\n";
    std::uint32_t errorLine = 0;
    const platform::Handle inf =
        setup.SetupOpenInfFileA(path, "", platform::infstyle::win4, errorLine);
    if (inf == platform::invalidHandle)
        return {};
    platform::InfContext maker;
    bool more = setup.SetupFindFirstLineA(inf, "Manufacturer", "", maker);
    while (more) {
        std::string models;
        platform::InfContext model;
        if (setup.SetupGetStringFieldA(maker, 1, models) &&
            setup.SetupFindFirstLineA(inf, models, "", model)) {
            do {
                std::string line, field;
                setup.SetupGetStringFieldA(model, 0, line);
                const std::uint32_t count = setup.SetupGetFieldCount(model);
                for (std::uint32_t i = 1; i <= count; ++i) {
                    field.clear();
                    setup.SetupGetStringFieldA(model, i, field);
                    line += "|" + field;
                }
                out += "model " + line + "\n";
            } while (setup.SetupFindNextLine(model, model));
        }
        more = setup.SetupFindNextLine(maker, maker);
    }
    setup.SetupCloseInfFile(inf);
    return out;
}

} // namespace testsupport
