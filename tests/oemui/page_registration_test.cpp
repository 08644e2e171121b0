// The two property sheets as the host's common property sheet sees them: which
// pages, in which order, described how, and what each PROPSHEETUI reason is
// answered; then what the pages do with the context they are handed.
#include "oemui/class_factory.h"
#include "oemui/oem_ui_object.h"
#include "oemui/page_conventions.h"
#include "oemui/resource.h"
#include "oemui_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace oemui {
namespace {

using test::FakeDriverUi;
using test::RecordingServices;
using test::SheetRecorder;

constexpr std::uint32_t errorInvalidParameter = 87;
void* const sheetHandle = reinterpret_cast<void*>(0xC0FFEE);

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        void* object = nullptr;
        ASSERT_EQ(hr::ok, getClassObject(module, clsidOemUi, iidClassFactory, &object));
        auto* factory = static_cast<ComClassFactory*>(object);
        ASSERT_EQ(hr::ok, factory->CreateInstance(nullptr, iidPrintOemUi, &object));
        factory->Release();
        ui = static_cast<OemUiObject*>(static_cast<IPrintOemUI*>(object));
    }
    void TearDown() override { ui->Release(); }

    PropSheetUiInfo info(std::uint16_t reason, std::intptr_t lParamInit = 0) {
        PropSheetUiInfo i{};
        i.cbSize = sizeof i;
        i.Version = 0x0100;
        i.Reason = reason;
        i.hComPropSheet = sheetHandle;
        i.pfnComPropSheet = SheetRecorder::pfn();
        i.lParamInit = lParamInit;
        i.Result = 0xDEAD;
        return i;
    }

    static std::vector<int> templates(const SheetRecorder& sheet) {
        std::vector<int> ids;
        for (const auto& call : sheet.calls) {
            ids.push_back(
                static_cast<int>(reinterpret_cast<std::uintptr_t>(call.page.pszTemplate)));
        }
        return ids;
    }

    RecordingServices services;
    OemUiModule module{services};
    FakeDriverUi driver; // outlives the object, which releases it at TearDown
    OemUiObject* ui = nullptr;
    SheetRecorder sheet;
};

TEST_F(SheetTest, DocumentSheetAddsSixPagesInOrderEachWithTheDocumentContext) {
    OEMUIPSPARAM psParam{};
    auto i = info(psuiReason::init, reinterpret_cast<std::intptr_t>(&psParam));
    EXPECT_EQ(hr::ok, ui->DocumentPropertySheets(&i, 0));

    EXPECT_EQ((std::vector<int>{128, 131, 103, 117, 118, 105}), templates(sheet));
    const auto* context = &ui->documentContext();
    for (const auto& call : sheet.calls) {
        const int id = static_cast<int>(reinterpret_cast<std::uintptr_t>(call.page.pszTemplate));
        EXPECT_EQ(sheetHandle, call.sheet);
        EXPECT_EQ(cpsfunc::addPropSheetPageW, call.function);
        EXPECT_EQ(0, call.lParam2);
        EXPECT_EQ(96u, call.page.dwSize) << id;
        EXPECT_EQ(0u, call.page.dwFlags) << "no activation context, no fusion flag";
        EXPECT_EQ(nullptr, call.page.hActCtx);
        EXPECT_EQ(services.moduleHandle(), call.page.hInstance) << id;
        EXPECT_EQ(RecordingServices::procedureFor(id), call.page.pfnDlgProc) << id;
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(context), call.page.lParam) << id;
        EXPECT_EQ(nullptr, call.page.pszTitle);
        EXPECT_EQ(nullptr, call.page.pfnCallback);
    }
    EXPECT_EQ(sheetHandle, context->hComPropSheet);
    EXPECT_EQ(SheetRecorder::pfn(), context->pfnComPropSheet);
    EXPECT_EQ(&psParam, context->psParam);
    EXPECT_EQ(-1, context->pageHandle) << "the document sheet leaves its slot unset";
    EXPECT_EQ(0x1005u, i.Result) << "the last add call's answer";
}

TEST_F(SheetTest, DeviceSheetAddsFourPagesAndKeepsTheLastPageHandle) {
    auto i = info(psuiReason::init);
    EXPECT_EQ(hr::ok, ui->DevicePropertySheets(&i, 0));
    EXPECT_EQ((std::vector<int>{114, 113, 119, 105}), templates(sheet));
    for (const auto& call : sheet.calls) {
        EXPECT_EQ(reinterpret_cast<std::intptr_t>(&ui->deviceContext()), call.page.lParam);
    }
    EXPECT_EQ(0x1003, ui->deviceContext().pageHandle);
    EXPECT_EQ(0x1003u, i.Result);
    EXPECT_EQ(sheetHandle, ui->deviceContext().hComPropSheet);
}

TEST_F(SheetTest, PagesUseTheModulesActivationContextWhenThereIsOne) {
    services.context = reinterpret_cast<void*>(0xAC7C7);
    auto i = info(psuiReason::init);
    EXPECT_EQ(hr::ok, ui->DevicePropertySheets(&i, 0));
    ASSERT_EQ(4u, sheet.calls.size());
    for (const auto& call : sheet.calls) {
        EXPECT_EQ(pspUseFusionContext, call.page.dwFlags);
        EXPECT_EQ(services.context, call.page.hActCtx);
    }
}

// A page the host could not add is left out; the sheet goes on with the rest
// and ends with what the last call answered.
TEST_F(SheetTest, AFailedPageIsNotRetried) {
    sheet.answerForTemplate[105] = 0;
    auto i = info(psuiReason::init);
    EXPECT_EQ(hr::ok, ui->DevicePropertySheets(&i, 0));
    EXPECT_EQ(4u, sheet.calls.size());
    EXPECT_EQ(0, ui->deviceContext().pageHandle);
    EXPECT_EQ(0u, i.Result);
}

TEST_F(SheetTest, SheetsCarryThePublishedDriverInterfaceToTheirPages) {
    ASSERT_EQ(hr::ok, ui->PublishDriverInterface(&driver));
    auto doc = info(psuiReason::init);
    auto dev = info(psuiReason::init);
    ui->DocumentPropertySheets(&doc, 0);
    ui->DevicePropertySheets(&dev, 0);
    EXPECT_EQ(&driver, ui->documentContext().driverUi);
    EXPECT_EQ(&driver, ui->deviceContext().driverUi);
}

TEST_F(SheetTest, OnlyVersion0x0100IsAccepted) {
    for (std::uint16_t version : {0x0000, 0x00FF, 0x0101, 0x0200}) {
        auto i = info(psuiReason::init);
        i.Version = version;
        services.lastError = 0;
        EXPECT_EQ(hr::fail, ui->DocumentPropertySheets(&i, 0)) << version;
        EXPECT_EQ(errorInvalidParameter, services.lastError);
        EXPECT_EQ(hr::fail, ui->DevicePropertySheets(&i, 0)) << version;
        EXPECT_EQ(0xDEADu, i.Result);
    }
    EXPECT_TRUE(sheet.calls.empty());
    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->DevicePropertySheets(nullptr, 0));
    EXPECT_EQ(errorInvalidParameter, services.lastError);

    auto withoutEntry = info(psuiReason::init);
    withoutEntry.pfnComPropSheet = nullptr;
    EXPECT_EQ(hr::fail, ui->DocumentPropertySheets(&withoutEntry, 0));
}

TEST_F(SheetTest, OtherReasonsAreAnsweredWithoutAddingPages) {
    for (int device = 0; device < 2; ++device) {
        auto call = [&](PropSheetUiInfo& i, std::intptr_t lParam) {
            return device ? ui->DevicePropertySheets(&i, lParam)
                          : ui->DocumentPropertySheets(&i, lParam);
        };
        PropSheetUiInfoHeader header{};
        auto i = info(psuiReason::getInfoHeader);
        EXPECT_EQ(hr::ok, call(i, reinterpret_cast<std::intptr_t>(&header)));
        ASSERT_NE(nullptr, header.pTitle);
        EXPECT_EQ(u"OEM UI Page", std::u16string(header.pTitle));
        EXPECT_EQ(1u, i.Result);

        i = info(psuiReason::destroy);
        EXPECT_EQ(hr::ok, call(i, 0));
        EXPECT_EQ(1u, i.Result);

        SetResultInfo result{};
        result.Result = 2;
        i = info(psuiReason::setResult);
        EXPECT_EQ(hr::ok, call(i, reinterpret_cast<std::intptr_t>(&result)));
        EXPECT_EQ(2u, i.Result);

        i = info(psuiReason::getIcon);
        EXPECT_EQ(hr::ok, call(i, 0));
        EXPECT_EQ(0u, i.Result);

        i = info(5); // PROPSHEETUI_REASON_BEFORE_INIT and anything newer
        EXPECT_EQ(hr::ok, call(i, 0));
        EXPECT_EQ(0xDEADu, i.Result);
    }
    EXPECT_TRUE(sheet.calls.empty());
}

// --- what the pages do with their context ------------------------------------

TEST_F(SheetTest, ApplyReportsOkForTheContextsPageHandle) {
    auto doc = info(psuiReason::init);
    auto dev = info(psuiReason::init);
    ui->DocumentPropertySheets(&doc, 0);
    ui->DevicePropertySheets(&dev, 0);
    sheet.calls.clear();

    reportApplied(ui->documentContext());
    reportApplied(ui->deviceContext());
    ASSERT_EQ(2u, sheet.calls.size());
    EXPECT_EQ(cpsfunc::setResult, sheet.calls[0].function);
    EXPECT_EQ(sheetHandle, sheet.calls[0].sheet);
    EXPECT_EQ(-1, sheet.calls[0].lParam1);
    EXPECT_EQ(cpsuiOk, sheet.calls[0].lParam2);
    EXPECT_EQ(cpsfunc::setResult, sheet.calls[1].function);
    EXPECT_EQ(0x1009, sheet.calls[1].lParam1) << "the device slot holds the last page added";
    EXPECT_EQ(cpsuiOk, sheet.calls[1].lParam2);

    DevicePageContext neverOpened;
    EXPECT_EQ(0, reportApplied(neverOpened));
}

TEST(PageConventions, EveryPageAnswersTheSharedMessagesAlike) {
    EXPECT_EQ(PageStep::StoreContext, pageConventionStep(wm::initDialog, 0, false));
    EXPECT_EQ(PageStep::AnswerFalse, pageConventionStep(wm::notify, psn::apply, false))
        << "nothing is done before the context is kept";
    EXPECT_EQ(PageStep::ReportApplied, pageConventionStep(wm::notify, psn::apply, true));
    EXPECT_EQ(PageStep::AnswerTrue, pageConventionStep(wm::notify, psn::setActive, true));
    EXPECT_EQ(PageStep::AnswerTrue, pageConventionStep(wm::notify, psn::killActive, true));
    EXPECT_EQ(PageStep::AnswerFalse, pageConventionStep(wm::notify, psn::queryCancel, true));
    EXPECT_EQ(PageStep::DefaultThenZero, pageConventionStep(wm::setIcon, 0, true));
    EXPECT_EQ(PageStep::DefaultWithResult, pageConventionStep(wm::sysCommand, 0, true));
    EXPECT_EQ(PageStep::AnswerFalse, pageConventionStep(wm::command, 0, true));
}

TEST(PageConventions, VersionPageIsStatic) {
    EXPECT_TRUE(versionPageAnswer(wm::notify, 0, psn::setActive));
    EXPECT_TRUE(versionPageAnswer(wm::notify, 0, psn::killActive));
    EXPECT_TRUE(versionPageAnswer(wm::notify, 0, psn::apply));
    EXPECT_FALSE(versionPageAnswer(wm::notify, 0, psn::queryCancel));
    EXPECT_TRUE(versionPageAnswer(wm::command, 1, 0)) << "BN_CLICKED from any control";
    EXPECT_FALSE(versionPageAnswer(wm::command, (1u << 16) | 1, 0));
    EXPECT_FALSE(versionPageAnswer(wm::initDialog, 0, 0));
}

} // namespace
} // namespace oemui
