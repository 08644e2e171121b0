#include "uninstall/win32_thread_runner.h"

namespace uninstall {

ThreadRunner::~ThreadRunner() {
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
}

DWORD WINAPI ThreadRunner::threadMain(LPVOID parameter) {
    static_cast<ThreadRunner*>(parameter)->work_();
    return 0;
}

void ThreadRunner::start(std::function<void()> work) {
    work_ = std::move(work);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    // No thread to spare: the work still has to be done.
    if (thread_ == nullptr)
        work_();
}

bool ThreadRunner::finished() {
    if (thread_ == nullptr)
        return true;
    if (WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT)
        return false;
    CloseHandle(thread_);
    thread_ = nullptr;
    return true;
}

} // namespace uninstall
