// The IPrintOemUI object and its class factory as the host drives them:
// creation, reference counts, unloading, and every answer of GetInfo,
// QueryColorProfile, CommonUIProp and PublishDriverInterface.
#include "oemui/class_factory.h"
#include "oemui/oem_ui_object.h"
#include "oemui_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace oemui {
namespace {

using test::FakeDriverUi;
using test::RecordingServices;

constexpr std::uint32_t errorNotSupported = 50;
constexpr std::uint32_t errorInvalidParameter = 87;
constexpr std::uint32_t errorInsufficientBuffer = 122;
constexpr Guid someOtherId = {0x12345678, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};

class InterfaceTest : public ::testing::Test {
protected:
    ComClassFactory* factory() {
        void* object = nullptr;
        EXPECT_EQ(hr::ok, getClassObject(module, clsidOemUi, iidClassFactory, &object));
        return static_cast<ComClassFactory*>(object);
    }
    OemUiObject* create() {
        ComClassFactory* f = factory();
        void* object = nullptr;
        EXPECT_EQ(hr::ok, f->CreateInstance(nullptr, iidPrintOemUi, &object));
        f->Release();
        return static_cast<OemUiObject*>(static_cast<IPrintOemUI*>(object));
    }

    RecordingServices services;
    OemUiModule module{services};
};

TEST_F(InterfaceTest, ClassObjectOnlyForTheOemUiClassLeavingTheOutputAloneOtherwise) {
    void* marker = reinterpret_cast<void*>(0x1234);
    void* object = marker;
    EXPECT_EQ(hr::classNotAvailable, getClassObject(module, someOtherId, iidClassFactory, &object));
    EXPECT_EQ(marker, object);

    EXPECT_EQ(hr::noInterface, getClassObject(module, clsidOemUi, someOtherId, &object));
    EXPECT_EQ(nullptr, object);

    ASSERT_EQ(hr::ok, getClassObject(module, clsidOemUi, iidUnknown, &object));
    auto* unknown = static_cast<ComUnknown*>(object);
    void* again = nullptr;
    EXPECT_EQ(hr::ok, unknown->QueryInterface(iidClassFactory, &again));
    EXPECT_EQ(hr::noInterface, unknown->QueryInterface(iidPrintOemUi, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(1u, static_cast<ComUnknown*>(again)->Release());
    EXPECT_EQ(0u, unknown->Release());
}

TEST_F(InterfaceTest, CreateInstanceRefusesAggregationAndUnknownInterfaces) {
    ComClassFactory* f = factory();
    FakeDriverUi outer;
    void* object = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(hr::noAggregation, f->CreateInstance(&outer, iidPrintOemUi, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(hr::noInterface, f->CreateInstance(nullptr, someOtherId, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(0, module.liveObjects.load()) << "a refused object is destroyed at once";
    f->Release();
}

TEST_F(InterfaceTest, NewObjectHoldsOneReferenceAndLivesUntilTheLastRelease) {
    OemUiObject* ui = create();
    EXPECT_EQ(1, module.liveObjects.load());
    EXPECT_EQ(2u, ui->AddRef());
    void* unknown = nullptr;
    EXPECT_EQ(hr::ok, ui->QueryInterface(iidUnknown, &unknown));
    EXPECT_EQ(static_cast<IPrintOemUI*>(ui), unknown);
    EXPECT_EQ(2u, ui->Release());
    EXPECT_EQ(1u, ui->Release());
    EXPECT_EQ(0u, ui->Release());
    EXPECT_EQ(0, module.liveObjects.load());
}

TEST_F(InterfaceTest, UnloadOnlyWithoutLiveObjectsOrServerLocks) {
    EXPECT_EQ(hr::ok, canUnloadNow(module));
    ComClassFactory* f = factory();
    EXPECT_EQ(hr::ok, canUnloadNow(module)) << "a factory alone does not hold the module";
    EXPECT_EQ(hr::ok, f->LockServer(1));
    EXPECT_EQ(hr::falseResult, canUnloadNow(module));
    EXPECT_EQ(hr::ok, f->LockServer(0));
    EXPECT_EQ(hr::ok, canUnloadNow(module));
    f->Release();

    OemUiObject* ui = create();
    EXPECT_EQ(hr::falseResult, canUnloadNow(module));
    ui->Release();
    EXPECT_EQ(hr::ok, canUnloadNow(module));
}

TEST_F(InterfaceTest, GetInfoAnswersSignatureAndVersionOnly) {
    OemUiObject* ui = create();
    unsigned char buffer[8];
    std::uint32_t needed = 0;

    std::memset(buffer, 0, sizeof buffer);
    EXPECT_EQ(hr::ok, ui->GetInfo(OEMGI_GETSIGNATURE, buffer + 1, 4, &needed));
    EXPECT_EQ(4u, needed);
    EXPECT_EQ(0x4F, buffer[1]); // 'TAVO' little-endian: 4F 56 41 54
    EXPECT_EQ(0x56, buffer[2]);
    EXPECT_EQ(0x41, buffer[3]);
    EXPECT_EQ(0x54, buffer[4]);

    std::uint32_t version = 0;
    EXPECT_EQ(hr::ok, ui->GetInfo(OEMGI_GETVERSION, &version, 4, &needed));
    EXPECT_EQ(1u, version);

    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->GetInfo(OEMGI_GETSIGNATURE, buffer, 3, &needed));
    EXPECT_EQ(errorInsufficientBuffer, services.lastError);
    EXPECT_EQ(4u, needed);
    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->GetInfo(OEMGI_GETVERSION, nullptr, 4, &needed));
    EXPECT_EQ(errorInsufficientBuffer, services.lastError);

    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->GetInfo(OEMGI_GETPUBLISHERINFO, buffer, 8, &needed));
    EXPECT_EQ(errorNotSupported, services.lastError);
    EXPECT_EQ(0u, needed);

    for (std::uint32_t mode : {0u, OEMGI_GETINTERFACEVERSION, 5u}) {
        services.lastError = 0;
        needed = 99;
        EXPECT_EQ(hr::fail, ui->GetInfo(mode, buffer, 8, &needed)) << mode;
        EXPECT_EQ(errorInvalidParameter, services.lastError) << mode;
        EXPECT_EQ(99u, needed) << mode;
    }
    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->GetInfo(OEMGI_GETSIGNATURE, buffer, 8, nullptr));
    EXPECT_EQ(errorInvalidParameter, services.lastError);
    ui->Release();
}

TEST_F(InterfaceTest, QueryColorProfileNamesTheProfileFileInThirtyTwoBytes) {
    OemUiObject* ui = create();
    std::uint8_t data[40];
    std::memset(data, 0xEE, sizeof data);
    std::uint32_t size = 31;
    std::uint32_t flags = 0;

    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                              data, &size, &flags));
    EXPECT_EQ(32u, size);
    EXPECT_EQ(errorInsufficientBuffer, services.lastError);
    EXPECT_EQ(0xEE, data[0]);

    size = 32;
    EXPECT_EQ(hr::ok, ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                            data, &size, &flags));
    EXPECT_EQ(32u, size);
    EXPECT_EQ(QCP_PROFILEDISK, flags);
    const char expected[] = "OEMPROFILE.icm";
    for (std::size_t i = 0; i < sizeof expected; ++i) {
        EXPECT_EQ(static_cast<std::uint8_t>(expected[i]), data[2 * i]) << i;
        EXPECT_EQ(0, data[2 * i + 1]) << i;
    }

    size = 64;
    EXPECT_EQ(hr::fail, ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                              nullptr, &size, &flags));
    EXPECT_EQ(32u, size);

    size = 64;
    EXPECT_EQ(hr::fail,
              ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, 1, data, &size, &flags));
    EXPECT_EQ(64u, size) << "another query mode is refused before anything is written";

    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->QueryColorProfile(nullptr, nullptr, nullptr, nullptr, QCP_DEVICEPROFILE,
                                              data, nullptr, &flags));
    EXPECT_EQ(errorInvalidParameter, services.lastError);
    ui->Release();
}

TEST_F(InterfaceTest, CommonUIPropKeepsTheParametersAndAddsNoItems) {
    OemUiObject* ui = create();
    OEMCUIPPARAM param{};
    param.cOEMOptItems = 5;
    EXPECT_EQ(hr::ok, ui->CommonUIProp(OEMCUIP_DOCPROP, &param));
    EXPECT_EQ(&param, ui->documentContext().cuipParam);
    EXPECT_EQ(&param, ui->deviceContext().cuipParam);
    EXPECT_EQ(5u, param.cOEMOptItems) << "the document call leaves the count";

    EXPECT_EQ(hr::ok, ui->CommonUIProp(OEMCUIP_PRNPROP, &param));
    EXPECT_EQ(0u, param.cOEMOptItems);

    OptItem items[2]{};
    param.pOEMOptItems = items;
    param.cOEMOptItems = 2;
    EXPECT_EQ(hr::ok, ui->CommonUIProp(OEMCUIP_PRNPROP, &param));
    EXPECT_EQ(2u, param.cOEMOptItems) << "the second call, with the host's items, changes nothing";

    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->CommonUIProp(3, &param));
    EXPECT_EQ(errorInvalidParameter, services.lastError);
    services.lastError = 0;
    EXPECT_EQ(hr::fail, ui->CommonUIProp(OEMCUIP_PRNPROP, nullptr));
    EXPECT_EQ(errorInvalidParameter, services.lastError);
    EXPECT_EQ(&param, ui->deviceContext().cuipParam);
    ui->Release();
}

TEST_F(InterfaceTest, PublishedDriverInterfaceIsKeptOnceAndReleasedWithTheObject) {
    FakeDriverUi driver;
    OemUiObject* ui = create();
    EXPECT_EQ(hr::ok, ui->PublishDriverInterface(&driver));
    EXPECT_EQ(2u, driver.references);
    EXPECT_EQ(hr::ok, ui->PublishDriverInterface(&driver));
    EXPECT_EQ(1, driver.queries) << "a second publication is not asked again";
    EXPECT_EQ(2u, driver.references);
    EXPECT_EQ(static_cast<IPrintOemDriverUI*>(&driver), ui->driverUi());
    ui->Release();
    EXPECT_EQ(1u, driver.references);
}

TEST_F(InterfaceTest, PublishWithoutTheDriverInterfaceFails) {
    FakeDriverUi other;
    other.offersDriverUi = false;
    OemUiObject* ui = create();
    EXPECT_EQ(hr::fail, ui->PublishDriverInterface(&other));
    EXPECT_EQ(nullptr, ui->driverUi());
    EXPECT_EQ(hr::fail, ui->PublishDriverInterface(nullptr));
    FakeDriverUi driver;
    EXPECT_EQ(hr::ok, ui->PublishDriverInterface(&driver)) << "a later good one is taken";
    ui->Release();
    EXPECT_EQ(1u, other.references);
    EXPECT_EQ(1u, driver.references);
}

TEST_F(InterfaceTest, TheOtherSlotsAreNotImplemented) {
    OemUiObject* ui = create();
    EXPECT_EQ(hr::notImplemented, ui->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(hr::notImplemented, ui->DeviceCapabilities(nullptr, nullptr, nullptr, 0, nullptr,
                                                         nullptr, nullptr, 0, nullptr));
    EXPECT_EQ(hr::notImplemented, ui->UpgradePrinter(0, nullptr));
    EXPECT_EQ(hr::notImplemented, ui->PrinterEvent(nullptr, 0, 0, 0));
    EXPECT_EQ(hr::notImplemented, ui->DriverEvent(0, 0, nullptr, 0));
    EXPECT_EQ(hr::notImplemented, ui->FontInstallerDlgProc(nullptr, 0, 0, 0));
    EXPECT_EQ(hr::notImplemented, ui->UpdateExternalFonts(nullptr, nullptr, nullptr));
    ui->Release();
}

} // namespace
} // namespace oemui
