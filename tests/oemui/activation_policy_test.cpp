// When the plug-in's modal dialogs run in its activation context, without
// one, or not at all.
#include "oemui/activation_policy.h"

#include <gtest/gtest.h>

namespace oemui {
namespace {

TEST(ActivationPolicy, ContextIsUsedWhenThereIsOne) {
    EXPECT_EQ(ModalRun::InContext, planModalRun(true, false));
    EXPECT_EQ(ModalRun::WithoutContext, planModalRun(false, false))
        << "a context that could not be made does not stop the dialogs";
    EXPECT_EQ(ModalRun::WithoutContext, planModalRun(true, true));
}

TEST(ActivationPolicy, SystemWithoutContextsRunsDialogsWithoutFromThenOn) {
    for (std::uint32_t error : {120u, 126u, 127u}) {
        bool unavailable = false;
        EXPECT_EQ(ModalRun::WithoutContext, afterFailedActivation(error, unavailable)) << error;
        EXPECT_TRUE(unavailable) << error;
    }
}

TEST(ActivationPolicy, AnyOtherActivationFailureRefusesTheDialog) {
    for (std::uint32_t error : {0u, 6u, 8u, 87u}) {
        bool unavailable = false;
        EXPECT_EQ(ModalRun::Refuse, afterFailedActivation(error, unavailable)) << error;
        EXPECT_FALSE(unavailable) << error;
    }
}

} // namespace
} // namespace oemui
