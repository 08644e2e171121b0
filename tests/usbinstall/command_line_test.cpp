#include "usbinstall/command_line.h"

#include <gtest/gtest.h>

using usbinstall::installArgument;
using usbinstall::parseInstallArgument;
using usbinstall::splitCommandLine;

using Args = std::vector<std::string>;

TEST(InstallCommandLine, SplitsAsTheCRuntimeDoes) {
    EXPECT_EQ((Args{"C:\\Program Files\\Install.exe", "2"}),
              splitCommandLine("\"C:\\Program Files\\Install.exe\" 2"));
    EXPECT_EQ((Args{"Install.exe", "a b", "c\"d", "e\\\\f", "g\\", "", "h\"i\"j"}),
              splitCommandLine("Install.exe \"a b\"\tc\\\"d e\\\\f g\\ \"\" \"h\"\"i\"\"j\""));
    EXPECT_EQ((Args{"x", "\\\"quoted\\\""}), splitCommandLine("x \\\\\\\"quoted\\\\\\\""));
    EXPECT_EQ((Args{"C:\\dir\\"}), splitCommandLine("C:\\dir\\   "));
    EXPECT_EQ((Args{""}), splitCommandLine(""));
    EXPECT_EQ((Args{"x", "open quote runs to the end "}),
              splitCommandLine("x \"open quote runs to the end "));
}

TEST(InstallCommandLine, ArgumentIsTheFirstThatIsNotAnOption) {
    EXPECT_EQ("22", installArgument("Install.exe 22"));
    EXPECT_EQ("2", installArgument("\"E:\\USBDRV\\USBDriver\\Install.exe\" /nologo -x 2 11"));
    EXPECT_EQ("", installArgument("Install.exe"));
    EXPECT_EQ("", installArgument("Install.exe -8"));
    EXPECT_EQ("8-3", installArgument("Install.exe \"8-3\""));
}

TEST(InstallCommandLine, OperationAndDeviceCount) {
    struct Case {
        const char* argument;
        int operation;
        int count;
    };
    const Case cases[] = {
        {"2", 2, 1},
        {"22", 22, 1},
        {"8", 8, 1},
        {"8-3", 8, 3},
        {"8-255", 8, 255},
        {"8-0", 8, 1},
        {"8-300", 8, 1},
        {"8-x", 8, 1},
        {"8--3", 8, 1},
        {"8-3x", 8, 3},
        {"8x-4", 8, 4},
        {"-8", 0, 1},
        {"", 0, 1},
        {"abc", 0, 1},
        {"2abc", 2, 1},
        {"+11", 11, 1},
        {" 88", 88, 1},
        {"99999999999999999999", 1001, 1},
        {"8-99999999999", 8, 1},
    };
    for (const Case& c : cases) {
        const auto r = parseInstallArgument(c.argument);
        EXPECT_EQ(c.operation, r.operation) << '"' << c.argument << '"';
        EXPECT_EQ(c.count, r.deviceCount) << '"' << c.argument << '"';
    }
}
