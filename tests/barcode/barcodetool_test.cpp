// barcodetool as a program: what it prints, the files it writes and its exit
// status; and the command lines it refuses.
#include "oemui/tools/barcode/barcode_fields.h"
#include "tools/barcodetool/barcodetool_options.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using barcodetool::parseArguments;

TEST(BarcodetoolArguments, BadUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"draw"},
        {"check", "--symbology", "0", "--data", "1"},
        {"check", "--font", "3d", "--symbology", "0", "--data", "1"},
        {"check", "--font", "1d", "--data", "1"},
        {"check", "--font", "1d", "--symbology", "13", "--data", "1"},
        {"check", "--font", "2d", "--symbology", "6", "--data", "1"},
        {"check", "--font", "1d", "--symbology", "-1", "--data", "1"},
        {"check", "--font", "1d", "--symbology", "0"},
        {"check", "--font", "1d", "--symbology", "0", "--data", "1", "--data-hex", "31"},
        {"check", "--font", "1d", "--symbology", "0", "--data-hex", "3"},
        {"check", "--font", "1d", "--symbology", "0", "--data-hex", "3G"},
        {"check", "--font", "1d", "--symbology", "0", "--data", "1", "--bar-height", "5"},
        {"check", "--font", "1d", "--symbology", "0", "--data", "1", "--out", "x"},
        {"check", "--font", "1d", "--font", "2d", "--symbology", "0", "--data", "1"},
        {"check", "--font", "1d", "--symbology", "0", "--data"},
        {"check", "extra", "--font", "1d", "--symbology", "0", "--data", "1"},
        {"print", "--font", "1d", "--symbology", "0", "--data", "1"},
        {"print", "--font", "1d", "--symbology", "0", "--data", "1", "--out", "x", "--pdf-rows",
         "3"},
        {"print", "--font", "2d", "--symbology", "0", "--data", "1", "--out", "x", "--bar-height",
         "3"},
        {"fontsize", "--bar-height", "10", "--hri-position", "0"},
        {"fontsize", "--bar-height", "10", "--hri-position", "0", "--hri-font", "0", "--font",
         "1d"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args) {
            joined += a + " ";
        }
        const auto parsed = parseArguments(args);
        EXPECT_FALSE(parsed.ok) << joined;
        EXPECT_FALSE(parsed.error.empty()) << joined;
    }
}

TEST(BarcodetoolArguments, EveryFieldOptionAtItsRangeEnds) {
    // Each option takes the ends of its page's range and refuses one past them.
    struct Kind {
        const char* font;
        std::vector<std::string> names;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> ranges;
    };
    std::vector<Kind> kinds = {{"1d", {}, {}}, {"2d", {}, {}}};
    for (const auto& f : barcode::fields1D()) {
        kinds[0].names.push_back(f.name);
        kinds[0].ranges.emplace_back(f.minimum, f.maximum);
    }
    for (const auto& f : barcode::fields2D()) {
        kinds[1].names.push_back(f.name);
        kinds[1].ranges.emplace_back(f.minimum, f.maximum);
    }
    for (const Kind& kind : kinds) {
        for (std::size_t i = 1; i < kind.names.size(); ++i) { // 0 is --symbology itself
            const std::string option = "--" + kind.names[i];
            const auto [lowest, highest] = kind.ranges[i];
            auto parse = [&](std::uint32_t value) {
                return parseArguments({"print", "--font", kind.font, "--symbology", "0", "--data",
                                       "1", "--out", "x", option, std::to_string(value)});
            };
            EXPECT_TRUE(parse(lowest).ok) << option;
            EXPECT_TRUE(parse(highest).ok) << option;
            const auto above = parse(highest + 1);
            EXPECT_FALSE(above.ok) << option;
            EXPECT_NE(std::string::npos,
                      above.error.find(option + " takes a whole number from " +
                                       std::to_string(lowest) + " to " + std::to_string(highest)))
                << above.error;
            if (lowest > 0) {
                EXPECT_FALSE(parse(lowest - 1).ok) << option;
            }
        }
    }
}

// The program itself.
class BarcodetoolProgram : public ::testing::Test {
protected:
    std::string program = PKG_BINARY_DIR "/tools/barcodetool/barcodetool";
    std::string dir;
    std::string output;
    std::string errors;

    void SetUp() override {
        if (::access(program.c_str(), X_OK) != 0) {
            GTEST_SKIP() << "barcodetool is not built at " << program;
        }
        char pattern[] = "/tmp/barcodetool-test-XXXXXX";
        ASSERT_NE(nullptr, ::mkdtemp(pattern));
        dir = pattern;
    }
    void TearDown() override {
        if (!dir.empty()) {
            std::system(("rm -rf '" + dir + "'").c_str());
        }
    }

    int run(const std::string& args) {
        const std::string err = dir + "/stderr.txt";
        std::FILE* pipe = ::popen(("'" + program + "' " + args + " 2>'" + err + "'").c_str(), "r");
        output.clear();
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        errors = read(err);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& path) const {
        struct stat info;
        return ::stat(path.c_str(), &info) == 0;
    }
};

TEST_F(BarcodetoolProgram, CheckPrintsTheBytesTheJobCarries) {
    EXPECT_EQ(0, run("check --font 1d --symbology 8 --data '{C1234'")) << errors;
    EXPECT_EQ("7B 43 0C 22\n", output);
    EXPECT_EQ(0, run("check --font 2d --symbology 4 --data-hex '00ff 41'")) << errors;
    EXPECT_EQ("00 FF 41\n", output);

    EXPECT_EQ(1, run("check --font 1d --symbology 8 --data '{C12345'"));
    EXPECT_EQ("", output);
    EXPECT_EQ("barcodetool: BarCode data error!\n"
              "barcodetool: byte 7 \"5\" (35): code set C takes pairs of digits\n",
              errors);
    EXPECT_EQ(1, run("check --font 2d --symbology 5 --data " + std::string(85, 'A')));
    EXPECT_NE(std::string::npos, errors.find("Maxi Code takes 1 to 84 bytes, not 85")) << errors;
}

TEST_F(BarcodetoolProgram, PrintWritesTheWholeJob) {
    const std::string out = dir + "/pdf.prn";
    ASSERT_EQ(0, run("print --font 2d --symbology 0 --pdf-rows 90 --data AB --out '" + out + "'"))
        << errors;
    const std::string expected =
        std::string("\x1D\x70\x01\x01\x5A\x03\x03\x03\x1D\x71\x05\x1D\x6B\x0A"
                    "AB",
                    16) +
        std::string("\x00\x0A\x1D\x56\x42\x00", 6);
    EXPECT_EQ(expected, read(out));

    const std::string upc = dir + "/upc.prn";
    ASSERT_EQ(0, run("print --font 1d --symbology 0 --hri-position 2 --data 12345678901 --out '" +
                     upc + "'"))
        << errors;
    // The first font's defaults but the HRI position: width 3, height 163 (A3).
    EXPECT_EQ(std::string("\x1D\x66\x00\x1D\x48\x02\x1D\x77\x03\x1D\x68\xA3\x1D\x6B\x00", 15) +
                  "12345678901" + std::string("\x00\x0A\x1D\x56\x42\x00", 6),
              read(upc));

    const std::string refused = dir + "/refused.prn";
    EXPECT_EQ(1, run("print --font 1d --symbology 1 --data 123456789012 --out '" + refused + "'"));
    EXPECT_FALSE(exists(refused));
    EXPECT_EQ(
        2, run("print --font 1d --symbology 0 --bar-height 256 --data 1 --out '" + refused + "'"));
    EXPECT_NE(std::string::npos,
              errors.find("--bar-height takes a whole number from 1 to 255, not '256'"))
        << errors;
    EXPECT_FALSE(exists(refused));
}

TEST_F(BarcodetoolProgram, FontSizeAsThePageShowsIt) {
    EXPECT_EQ(0, run("fontsize --bar-height 163 --hri-position 0 --hri-font 0")) << errors;
    EXPECT_EQ("162\n 22.9 mm\n 65.0 point\n", output);
    EXPECT_EQ(0, run("fontsize --bar-height 100 --hri-position 2 --hri-font 0")) << errors;
    EXPECT_EQ("123\n 17.4 mm\n 49.0 point\n", output);
    EXPECT_EQ(2, run("fontsize --bar-height 100 --hri-position 4 --hri-font 0"));
    EXPECT_NE(std::string::npos, errors.find("--hri-position takes a whole number from 0 to 3"))
        << errors;
    EXPECT_EQ(0, run("--help"));
    EXPECT_NE(std::string::npos, output.find("barcodetool fontsize")) << output;
}

} // namespace
