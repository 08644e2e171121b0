// How the removal worker is run: on Windows on a thread of its own while the
// dialog stays responsive, in tests and tools in place.
#pragma once

#include <functional>

namespace uninstall {

class RemovalRunner {
public:
    virtual ~RemovalRunner() = default;
    // Starts the work. The dialog leaves the work's data alone until
    // finished() says it has returned.
    virtual void start(std::function<void()> work) = 0;
    // Asked on the dialog's thread.
    virtual bool finished() = 0;
};

class InPlaceRunner final : public RemovalRunner {
public:
    void start(std::function<void()> work) override { work(); }
    bool finished() override { return true; }
};

} // namespace uninstall
