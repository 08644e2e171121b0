// The Download page on the simulated host: a device sheet's context with a printer,
// the page over its real template, logos put into the host's files and chosen
// through the scripted open-file dialog, and the logo library's own answer for the
// same pictures held in memory.
#pragma once

#include "../logo/bmp_builder.h"
#include "oemui/dialog_templates.h"
#include "oemui/pages/download_messages.h"
#include "oemui/pages/download_page.h"
#include "oemui/resource.h"
#include "oemui/tools/bmp_file.h"
#include "oemui/tools/bmp_picture.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/make_work_bitmap.h"
#include "platform/sim/sim_plugin_host.h"
#include "ui/fake_dialog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace oemui::test {

using Bytes = std::vector<std::uint8_t>;

// A logo's source and work bitmap in memory, for the library's expected answers.
class MemoryLogo final : public logo::LogoFiles {
public:
    explicit MemoryLogo(Bytes source) : source_(std::move(source)) {}
    std::unique_ptr<logo::ByteSource> openSource() override {
        return std::make_unique<logo::MemorySource>(source_.data(), source_.size());
    }
    std::unique_ptr<logo::ByteSource> openWork() override {
        return work_.empty() ? nullptr
                             : std::make_unique<logo::MemorySource>(work_.data(), work_.size());
    }
    std::unique_ptr<logo::ByteSink> createWork() override {
        struct Sink : logo::ByteSink {
            explicit Sink(Bytes& to) : to_(to) { to_.clear(); }
            bool write(const std::uint8_t* data, std::size_t count) override {
                to_.insert(to_.end(), data, data + count);
                return true;
            }
            bool commit() override { return true; }
            Bytes& to_;
        };
        return std::make_unique<Sink>(work_);
    }
    std::string sourceName() const override { return "source"; }
    std::string workName() const override { return "work"; }
    const Bytes& work() const { return work_; }

private:
    Bytes source_;
    Bytes work_;
};

class DownloadPageTest : public ::testing::Test {
protected:
    platform::sim::SimPluginHost host;
    platform::Handle printer = host.addPrinter(u"QRT-K500NX(U) 1");
    OEMCUIPPARAM cuip{};
    DevicePageContext context;
    pages::SheetState sheet;
    std::unique_ptr<pages::DownloadPage> page;
    std::unique_ptr<ui::FakeDialog<std::u16string>> dialog;

    void SetUp() override {
        cuip.hPrinter = reinterpret_cast<void*>(static_cast<std::uintptr_t>(printer));
        context.cuipParam = &cuip;
        page = std::make_unique<pages::DownloadPage>(
            pages::PageEnvironment{host, sheet, nullptr, &context});
        dialog = std::make_unique<ui::FakeDialog<std::u16string>>(oemui::dialogTemplates(),
                                                                  IDD_DOWNLOAD, *page);
        dialog->open();
    }

    ui::FakeDialog<std::u16string>& view() { return *dialog; }

    static std::u16string folderPath(const std::u16string& name) { return u"C:\\Logos\\" + name; }

    // Puts the file into C:\Logos and adds it through "Add"; false when the list
    // did not grow.
    bool add(const std::u16string& name, const Bytes& file) {
        host.putFile(folderPath(name), file);
        return choose(name);
    }
    bool choose(const std::u16string& name) {
        const int before = view().itemCount(IDC_DL_LOGO_LIST);
        host.queueOpenFileAnswer(platform::OpenFileResult{folderPath(name), name});
        view().click(IDC_DL_LOGO_ADD);
        return view().itemCount(IDC_DL_LOGO_LIST) == before + 1;
    }

    Bytes work(const std::u16string& name) {
        const std::u16string stem = name.substr(0, name.size() - 4);
        return host.fileBytes(folderPath(stem + u"Temp.bmp"));
    }
    bool hasWork(const std::u16string& name) {
        return host.hasFile(folderPath(name.substr(0, name.size() - 4) + u"Temp.bmp"));
    }

    std::vector<std::u16string> messages() const {
        std::vector<std::u16string> texts;
        for (const auto& box : host.messageBoxes()) {
            texts.push_back(box.caption + u": " + box.text);
        }
        return texts;
    }

    // What the preview shows: the file drawn over the control, as the page draws it.
    static std::vector<std::uint32_t> drawn(const Bytes& file) {
        logo::MemorySource source(file.data(), file.size());
        std::vector<std::uint32_t> pixels;
        EXPECT_EQ(logo::drawBmp(source, 100, 100, pixels), logo::ImageError::None);
        return pixels;
    }
    std::vector<std::uint32_t> preview() const {
        const auto& pictures = dialog->control(IDC_DL_LOGO_PREVIEW).pictures;
        return pictures.size() == 1 ? pictures[0].first.pixels : std::vector<std::uint32_t>();
    }
};

inline std::u16string u16(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

} // namespace oemui::test
