// The removal worker on a thread of its own, while the main dialog keeps
// serving its messages (the worker's lines reach the list box as messages to
// the dialog's thread) and asks on a timer whether the worker has returned.
#pragma once

#include <windows.h>

#include "uninstall/removal_runner.h"

namespace uninstall {

class ThreadRunner final : public RemovalRunner {
public:
    ThreadRunner() = default;
    ~ThreadRunner() override;
    ThreadRunner(const ThreadRunner&) = delete;
    ThreadRunner& operator=(const ThreadRunner&) = delete;

    void start(std::function<void()> work) override;
    bool finished() override;

private:
    static DWORD WINAPI threadMain(LPVOID parameter);

    std::function<void()> work_;
    HANDLE thread_ = nullptr;
};

} // namespace uninstall
