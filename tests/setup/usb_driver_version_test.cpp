// When the packaged USB device driver must be installed over the installed one.
#include "setup/engine/usb_driver_version.h"

#include <gtest/gtest.h>

namespace setup {
namespace {

TEST(UsbDriverVersion, MissingInstalledDriverNeedsInstalling) {
    EXPECT_EQ(compareVersionTexts("0.0.0.0", "1.2.0.3"), -1);
    EXPECT_EQ(compareVersionTexts("", "1.2.0.3"), -1);
    EXPECT_EQ(compareVersionTexts("garbage", "1.2.0.3"), -1);
}

TEST(UsbDriverVersion, OlderInstalledDriverIsReplacedNewerIsKept) {
    EXPECT_EQ(compareVersionTexts("1.2.0.2", "1.2.0.3"), 1);
    EXPECT_EQ(compareVersionTexts("1.2.0.3", "1.2.0.3"), 0);
    EXPECT_EQ(compareVersionTexts("1.3.0.0", "1.2.0.3"), 0);
    EXPECT_EQ(compareVersionTexts("2.0.0.0", "1.9.9.9"), 0);
}

TEST(UsbDriverVersion, PartsWithSeveralDigitsCompareAsNumbers) {
    EXPECT_EQ(compareVersionTexts("1.9.0.0", "1.10.0.0"), 1);
    EXPECT_EQ(compareVersionTexts("1.10.0.0", "1.9.0.0"), 0);
    EXPECT_EQ(compareVersionTexts("6.1.7600.16385", "6.1.7601.0"), 1);
    // Resource texts sometimes separate with ", ".
    EXPECT_EQ(compareVersionTexts("1, 2, 0, 2", "1.2.0.3"), 1);
}

TEST(UsbDriverVersion, AMissingPackagedDriverNeverReplacesAnInstalledOne) {
    EXPECT_EQ(compareVersionTexts("1.0.0.0", "0.0.0.0"), 0);
}

} // namespace
} // namespace setup
