// Raw jobs on the host's printer handle: the spooler sees the calls in order,
// the bytes piece by piece, and a failure ends exactly what was started.
#include "oemui/raw_job.h"
#include "platform/sim/sim_plugin_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace oemui {
namespace {

using Calls = std::vector<std::string>;
using platform::sim::SimPluginHost;

const std::vector<std::vector<std::uint8_t>> selfTest = {
    {0x1B, 0x63, 0x3B, 0x01}, {0x1D, 0x28, 0x41, 0x02, 0x00, 0x00, 0x02}, {0x1B, 0x63, 0x3B, 0x00}};

class RawJobTest : public ::testing::Test {
protected:
    SimPluginHost host;
    platform::Handle printer = host.addPrinter(u"QRT-K500NX(U) 1");
};

TEST_F(RawJobTest, WholeJobGoesOutPieceByPiece) {
    EXPECT_TRUE(sendRawJob(host, printer, u"SELFTEST", selfTest));
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "WritePrinter",
                     "WritePrinter", "EndPagePrinter", "EndDocPrinter"}),
              host.spoolerCalls());
    ASSERT_EQ(1u, host.jobs().size());
    const auto& job = host.jobs()[0];
    EXPECT_EQ(u"SELFTEST", job.doc.docName);
    EXPECT_EQ(u"RAW", job.doc.datatype);
    EXPECT_TRUE(job.doc.outputFile.empty());
    EXPECT_EQ(selfTest, job.pieces);
    EXPECT_EQ(15u, job.bytes().size());
    EXPECT_TRUE(job.ended);
}

TEST_F(RawJobTest, FailedStartDocCallsNothingMore) {
    host.faults().failCall("StartDocPrinterW", 5);
    EXPECT_FALSE(sendRawJob(host, printer, u"SELFTEST", selfTest));
    EXPECT_EQ((Calls{"StartDocPrinterW"}), host.spoolerCalls());
}

TEST_F(RawJobTest, FailedStartPageOnlyEndsTheDocument) {
    host.faults().failCall("StartPagePrinter", 5);
    EXPECT_FALSE(sendRawJob(host, printer, u"SELFTEST", selfTest));
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "EndDocPrinter"}),
              host.spoolerCalls());
    EXPECT_TRUE(host.jobs()[0].ended);
}

TEST_F(RawJobTest, FailedWriteSkipsTheRestAndEndsPageAndDocument) {
    host.faults().failCall("WritePrinter", 5, 0); // every write fails
    EXPECT_FALSE(sendRawJob(host, printer, u"LOGO", selfTest));
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "EndPagePrinter",
                     "EndDocPrinter"}),
              host.spoolerCalls());
}

// A write that the spooler takes only in part would leave the printer with half
// a command followed by the next one; the job stops there instead.
TEST_F(RawJobTest, ShortWriteCountsAsAFailedWrite) {
    host.setWriteLimit(5);
    EXPECT_FALSE(sendRawJob(host, printer, u"SELFTEST", selfTest));
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "WritePrinter",
                     "EndPagePrinter", "EndDocPrinter"}),
              host.spoolerCalls());
    EXPECT_EQ(2u, host.jobs()[0].pieces.size());
}

TEST_F(RawJobTest, FailedEndIsReportedAndAJobLeftOpenIsEndedOnTheWayOut) {
    host.faults().failCall("EndDocPrinter", 5);
    EXPECT_FALSE(sendRawJob(host, printer, u"SELFTEST", selfTest));

    SimPluginHost other;
    const auto p = other.addPrinter(u"P");
    {
        RawJob job(other, p);
        ASSERT_TRUE(job.start(u"FIRMWARE"));
        ASSERT_TRUE(job.write(std::vector<std::uint8_t>{}));
    }
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "EndPagePrinter",
                     "EndDocPrinter"}),
              other.spoolerCalls());
    EXPECT_TRUE(other.jobs()[0].ended);
    ASSERT_EQ(1u, other.jobs()[0].pieces.size()) << "an empty file is one write of no bytes";
    EXPECT_TRUE(other.jobs()[0].pieces[0].empty());
}

TEST_F(RawJobTest, WritesAfterAFailureAreRefusedWithoutCallingTheSpooler) {
    RawJob job(host, printer);
    ASSERT_TRUE(job.start(u"Barcode"));
    host.faults().failCall("WritePrinter", 5);
    const std::uint8_t byte = 0;
    EXPECT_FALSE(job.write(&byte, 1));
    EXPECT_FALSE(job.write(&byte, 1));
    EXPECT_FALSE(job.finish());
    EXPECT_EQ((Calls{"StartDocPrinterW", "StartPagePrinter", "WritePrinter", "EndPagePrinter",
                     "EndDocPrinter"}),
              host.spoolerCalls());
}

} // namespace
} // namespace oemui
