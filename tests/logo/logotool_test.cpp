#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "bmp_builder.h"
#include "conversion_helpers.h"
#include "oemui/tools/logo_jobs.h"
#include "oemui/tools/logo_settings.h"
#include "oemui/tools/make_work_bitmap.h"
#include "tools/logotool/logotool_options.h"

using namespace logotest;
using logotool::Command;
using logotool::parseArguments;

TEST(LogotoolArguments, CommandsWithTheirOptions) {
    auto convert = parseArguments({"convert", "--mode", "mono", "--halftone", "diffuse",
                                   "--contrast", "-100", "--brightness", "+7", "a.bmp"});
    ASSERT_TRUE(convert.ok) << convert.error;
    EXPECT_EQ(convert.options.command, Command::Convert);
    EXPECT_EQ(convert.options.mode, logo::LogoMode::Transformation);
    EXPECT_EQ(convert.options.halftone, logo::kHalftoneErrorDiffuse);
    EXPECT_EQ(convert.options.contrast, -100);
    EXPECT_EQ(convert.options.brightness, 7);
    EXPECT_EQ(convert.options.files, std::vector<std::string>{"a.bmp"});

    auto job = parseArguments({"job", "a.bmp", "--out", "x.prn", "--mode", "gray", "--", "-b.bmp"});
    ASSERT_TRUE(job.ok) << job.error;
    EXPECT_EQ(job.options.mode, logo::LogoMode::Gray);
    EXPECT_FALSE(job.options.halftone.has_value());
    EXPECT_EQ(job.options.out, "x.prn");
    EXPECT_EQ(job.options.files, (std::vector<std::string>{"a.bmp", "-b.bmp"}));

    auto preview = parseArguments({"preview", "--out", "logos.PNG", "job.prn"});
    ASSERT_TRUE(preview.ok) << preview.error;
    EXPECT_EQ(preview.options.command, Command::Preview);
    EXPECT_EQ(logotool::pictureFormatOf(*preview.options.out), logotool::PictureFormat::Png);
    EXPECT_EQ(logotool::pictureFormatOf("a.bmp"), logotool::PictureFormat::Bmp);
    EXPECT_TRUE(parseArguments({"convert", "--mode", "gray", "--out", "w.bmp", "a.bmp"}).ok);
    EXPECT_TRUE(parseArguments({"clear"}).ok);
    EXPECT_EQ(parseArguments({"--help"}).options.command, Command::Help);
}

TEST(LogotoolArguments, BadUsage) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"paint"},
        {"convert", "a.bmp"},
        {"convert", "--mode", "color", "a.bmp"},
        {"convert", "--mode", "mono", "a.bmp", "b.bmp"},
        {"preview", "job.prn"},
        {"preview", "--out", "x.gif", "job.prn"},
        {"preview", "--out", "x.png", "--mode", "mono", "job.prn"},
        {"preview", "--out", "x.png", "a.prn", "b.prn"},
        {"convert", "--mode", "gray", "--halftone", "m3", "a.bmp"},
        {"convert", "--mode", "mono", "--halftone", "m5", "a.bmp"},
        {"convert", "--mode", "mono", "--contrast", "101", "a.bmp"},
        {"convert", "--mode", "mono", "--contrast", "99999999999999999999", "a.bmp"},
        {"convert", "--mode", "mono", "--brightness", "1.5", "a.bmp"},
        {"convert", "--mode", "mono", "--brightness"},
        {"convert", "--mode", "mono", "--mode", "gray", "a.bmp"},
        {"job", "--mode", "mono"},
        {"clear", "a.bmp"},
        {"clear", "--mode", "mono"},
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

// logotool as a program: exit codes, what it prints and the files it writes.
class LogotoolProgram : public ::testing::Test {
protected:
    TempDir dir;
    std::string program = PKG_BINARY_DIR "/tools/logotool/logotool";
    std::string output;
    std::string errors;

    void SetUp() override {
        if (!exists(program)) {
            GTEST_SKIP() << "logotool is not built at " << program;
        }
    }

    int run(const std::string& args) {
        const std::string err = dir.file("stderr.txt");
        const std::string cmd = "'" + program + "' " + args + " 2>'" + err + "'";
        output.clear();
        std::FILE* pipe = ::popen(cmd.c_str(), "r");
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
            output.append(buffer, n);
        }
        const int status = ::pclose(pipe);
        const Bytes e = readFile(err);
        errors.assign(e.begin(), e.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(LogotoolProgram, ConvertWritesTheWorkBitmapAndPrintsItsPath) {
    const Bytes picture = makeBmp(20, 10, 24, [](int x, int r) { return gray24(x * 12 + r); });
    const std::string source = dir.write("shop.bmp", picture);
    ASSERT_EQ(run("convert --mode mono --halftone m4 --contrast 20 '" + source + "'"), 0) << errors;
    EXPECT_EQ(output, dir.file("shopTemp.bmp") + "\n");
    EXPECT_EQ(readFile(dir.file("shopTemp.bmp")), monoFile(picture, logo::kHalftoneDitherM4, 20));

    ASSERT_EQ(run("convert --mode mono '" + source + "'"), 0) << errors;
    EXPECT_EQ(readFile(dir.file("shopTemp.bmp")), monoFile(picture, logo::kHalftoneDitherM3));

    ASSERT_EQ(run("convert --mode gray --brightness -30 '" + source + "'"), 0) << errors;
    EXPECT_EQ(readFile(dir.file("shopTemp.bmp")), grayFile(picture, 0, -30));

    const std::string elsewhere = dir.file("elsewhere.bmp");
    ASSERT_EQ(run("convert --mode gray --out '" + elsewhere + "' '" + source + "'"), 0) << errors;
    EXPECT_EQ(output, elsewhere + "\n");
    EXPECT_EQ(readFile(elsewhere), grayFile(picture));
}

TEST_F(LogotoolProgram, RefusedInputExitsWithOneAndThePageText) {
    const std::string wide =
        dir.write("wide.bmp", makeBmp(1025, 1, 24, [](int, int) { return 0u; }));
    EXPECT_EQ(run("convert --mode gray '" + wide + "'"), 1);
    EXPECT_NE(errors.find("The image is too big to be selected."), std::string::npos) << errors;

    // Not a BMP at all: its bytes where a BMP keeps its size are no size.
    Bytes png(64, 0xFF);
    std::copy_n("\x89PNG", 4, png.begin());
    EXPECT_EQ(run("convert --mode gray '" + dir.write("photo.bmp", png) + "'"), 1);
    EXPECT_NE(errors.find("photo.bmp: The selected file is not a BMP picture!"), std::string::npos)
        << errors;
    Bytes topDown = makeBmp(4, 4, 24, [](int, int) { return 0u; });
    put32(topDown, 22, static_cast<std::uint32_t>(-4));
    EXPECT_EQ(run("convert --mode gray '" + dir.write("top.bmp", topDown) + "'"), 1);
    EXPECT_NE(errors.find("top.bmp: stores its rows from the top down"), std::string::npos)
        << errors;

    EXPECT_EQ(run("convert --mode gray '" + dir.file("missing.bmp") + "'"), 1);
    EXPECT_NE(errors.find("Fail to open the selected file!"), std::string::npos) << errors;

    const std::string oneBit = dir.write("one.bmp", makeBmp(8, 8, 1, [](int, int) { return 1u; }));
    EXPECT_EQ(run("convert --mode mono '" + oneBit + "'"), 1);
    EXPECT_NE(errors.find("1-bit picture already"), std::string::npos) << errors;
    Bytes fourBit = makeBmp(8, 8, 8, [](int, int) { return 1u; });
    put16(fourBit, 28, 4);
    EXPECT_EQ(run("convert --mode gray '" + dir.write("four.bmp", fourBit) + "'"), 1);
    EXPECT_NE(errors.find("4-bit BMP cannot be made gray"), std::string::npos) << errors;
    EXPECT_FALSE(exists(dir.file("oneTemp.bmp")));

    Bytes cut = makeBmp(8, 8, 8, [](int, int) { return 1u; });
    cut.pop_back();
    EXPECT_EQ(run("job --mode gray '" + dir.write("cut.bmp", cut) + "'"), 1);
    EXPECT_NE(errors.find("shorter than its headers and rows"), std::string::npos) << errors;
    EXPECT_TRUE(output.empty());

    std::string ten;
    for (int i = 0; i < 10; ++i) {
        ten += " '" + oneBit + "'";
    }
    EXPECT_EQ(run("job --mode mono" + ten), 1);
    EXPECT_NE(errors.find("The total counts of the logos is 9,"), std::string::npos) << errors;

    EXPECT_EQ(run("convert --mode mono --contrast 200 '" + oneBit + "'"), 2);
    EXPECT_NE(errors.find("usage:"), std::string::npos);
}

TEST_F(LogotoolProgram, JobAndClearWriteTheJobBytes) {
    const std::string a =
        dir.write("a.bmp", makeBmp(30, 12, 24, [](int x, int r) { return gray24(x * 8 + r * 3); }));
    const std::string b =
        dir.write("b.bmp", makeBmp(9, 5, 1, [](int x, int r) { return (x + r) % 3 == 0; }));
    const std::string c = dir.write("c.bmp", makeBmp(7, 3, 8, [](int x, int) { return x * 30; }));

    ASSERT_EQ(run("job --mode mono --halftone diffuse --brightness 10 '" + a + "' '" + b + "' '" +
                  c + "'"),
              0)
        << errors;
    const logo::LogoJobResult mono =
        logo::buildDownloadAllJob(logo::LogoMode::Transformation, {a, b, c});
    ASSERT_EQ(mono.error, logo::LogoJobError::None);
    const Bytes monoBytes = mono.job.bytes();
    EXPECT_EQ(Bytes(output.begin(), output.end()), monoBytes);
    EXPECT_EQ(readFile(dir.file("aTemp.bmp")),
              monoFile(readFile(a), logo::kHalftoneErrorDiffuse, 0, 10));
    EXPECT_FALSE(exists(dir.file("bTemp.bmp"))) << "a 1-bit logo is sent as it is";

    ASSERT_EQ(run("job --mode gray --contrast -40 --out '" + dir.file("gray.prn") + "' '" + a +
                  "' '" + b + "'"),
              0)
        << errors;
    EXPECT_TRUE(output.empty());
    const logo::LogoJobResult gray = logo::buildDownloadAllJob(logo::LogoMode::Gray, {a, b});
    ASSERT_EQ(gray.error, logo::LogoJobError::None);
    EXPECT_EQ(readFile(dir.file("gray.prn")), gray.job.bytes());
    EXPECT_EQ(readFile(dir.file("bTemp.bmp")), grayFile(readFile(b), -40));

    ASSERT_EQ(run("clear"), 0);
    EXPECT_EQ(Bytes(output.begin(), output.end()), (Bytes{0x1B, 0x63, 0x3B, 0x01, 0x1C, 0x71, 0x00,
                                                          0x00, 0x0A, 0x1B, 0x63, 0x3B, 0x00}));
    ASSERT_EQ(run("clear --out '" + dir.file("clear.prn") + "'"), 0);
    EXPECT_EQ(readFile(dir.file("clear.prn")).size(), 13u);
}

TEST_F(LogotoolProgram, PreviewDrawsTheJobAsPrinted) {
    // One black dot in a 1 x 1 logo: a 32 x 8 dot grid whose bottom-left dot is black.
    const std::string dot = dir.write("dot.bmp", makeBmp(1, 1, 1, [](int, int) { return 0u; }));
    const std::string job = dir.file("dot.prn");
    ASSERT_EQ(run("job --mode mono --out '" + job + "' '" + dot + "'"), 0) << errors;
    ASSERT_EQ(run("preview --out '" + dir.file("dot.bmp.bmp") + "' '" + job + "'"), 0) << errors;
    const Bytes bmp = readFile(dir.file("dot.bmp.bmp"));
    Bytes expected = makeBmp(32, 8, 8, [](int x, int r) { return x == 0 && r == 0 ? 0u : 255u; });
    EXPECT_EQ(bmp, expected);

    ASSERT_EQ(run("preview --out '" + dir.file("dot.png") + "' '" + job + "'"), 0) << errors;
    const Bytes png = readFile(dir.file("dot.png"));
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

    // Any PNG reader sees the same picture (ImageMagick where it is installed).
    const std::string raw = dir.file("dot.gray");
    if (std::system("convert -version >/dev/null 2>&1") == 0) {
        ASSERT_EQ(
            std::system(
                ("convert '" + dir.file("dot.png") + "' -depth 8 'gray:" + raw + "'").c_str()),
            0);
        Bytes levels(32 * 8, 255);
        levels[32 * 7] = 0;
        EXPECT_EQ(readFile(raw), levels);
    }

    EXPECT_EQ(run("preview --out '" + dir.file("x.png") + "' '" + dot + "'"), 1);
    EXPECT_NE(errors.find("is not a logo job"), std::string::npos) << errors;
    EXPECT_FALSE(exists(dir.file("x.png")));
}
