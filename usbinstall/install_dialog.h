// Install's window: the log box, the About item, and the rules that keep a
// driver installation from being cut short. The operation runs elsewhere (a
// worker thread on Windows) and hands its log lines and its end to the window.
#pragma once

#include "ui/dialog_controller.h"

#include <functional>
#include <string>

namespace usbinstall {

class InstallDialog : public ui::DialogController<std::string> {
public:
    // What the operation delivers.
    static constexpr unsigned logLine = 1;  // text: one or more whole lines
    static constexpr unsigned finished = 2; // the operation has returned
    static constexpr unsigned closeTimer = 1;
    static constexpr unsigned closeDelayMs = 200;

    // `start` begins the operation once the window exists.
    InstallDialog(std::string aboutItem, std::function<void()> start)
        : aboutItem_(std::move(aboutItem)), start_(std::move(start)) {}

    void onInit(View& view) override;
    void onDelivered(View& view, unsigned code, const std::string& text) override;
    void onTimer(View& view, unsigned timer) override;
    void onEvent(View& view, const ui::ControlEvent& event) override;
    bool onSysCommand(View& view, unsigned command) override;

    bool running() const { return running_; }

private:
    std::string aboutItem_;
    std::function<void()> start_;
    bool running_ = false;
};

// The About box: OK or Escape closes it.
class AboutBox : public ui::DialogController<std::string> {
public:
    void onInit(View&) override {}
    void onEvent(View& view, const ui::ControlEvent& event) override;
};

} // namespace usbinstall
