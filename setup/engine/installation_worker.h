// The installation worker: applies a resolved install job step by step,
// stopping at the first failure. Runs on its own thread while the wizard
// shows the progress dialog.
#pragma once

#include "setup/engine/port_setup.h"
#include "setup/engine/setup_config.h"

#include <string>

namespace setup {

class InstallSession;

// Set once by the worker at its end.
enum class WorkerStatus : int { Running = 0, Failed = 1, Succeeded = 2 };

// Everything the worker applies, decided before it starts.
struct InstallJob {
    std::string model;
    InstallPlan plan; // the printer record carries the final name and port
    PortKind kind = PortKind::Parallel;
    std::string portText; // the port as chosen (the PRINTERPORT value's name)
    bool setAsDefault = false;
    SerialSettings serial;
};

// Failed with the message in session.error, or Succeeded with the final text
// there (empty on Windows 9x). On success the printer record holds the name
// of the queue actually created.
WorkerStatus runInstallationWorker(InstallSession& session, InstallJob& job);

} // namespace setup
