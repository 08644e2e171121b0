// The model list of setup.ini and the names of the type files.
#include "tests/setup/config_files_fixture.h"

namespace setup::testing {
namespace {

TEST(ParseModelEntry, SuffixGivesTypeAndTheTextBeforeItTheModel) {
    const ModelEntry receipt = parseModelEntry("QRT-K500NX-ReceiptPrinter");
    EXPECT_EQ(receipt.name, "QRT-K500NX");
    EXPECT_EQ(receipt.type, PrinterType::Receipt);
    EXPECT_EQ(parseModelEntry("QRT-L7A-LabelPrinter").type, PrinterType::Label);
    EXPECT_EQ(parseModelEntry("QRT-E80-EmbeddedPrinter").type, PrinterType::Embedded);
}

TEST(ParseModelEntry, SuffixesAreTriedInTheirOrderAnywhereInTheText) {
    const ModelEntry ticket = parseModelEntry("X-TicketPrinter-LabelPrinter");
    EXPECT_EQ(ticket.name, "X");
    EXPECT_EQ(ticket.type, PrinterType::Ticket);
    // Receipt is looked for first, even where it stands after another suffix.
    const ModelEntry receipt = parseModelEntry("A-LabelPrinter-ReceiptPrinter");
    EXPECT_EQ(receipt.name, "A-LabelPrinter");
    EXPECT_EQ(receipt.type, PrinterType::Receipt);
}

TEST(ParseModelEntry, EntriesThatNameNoModel) {
    for (const char* entry : {"QRT-K500NX", "0", "", "QRT-K500NX-receiptprinter", "-ReceiptPrinter",
                              "QRT-K500NX ReceiptPrinter"}) {
        const ModelEntry e = parseModelEntry(entry);
        EXPECT_EQ(e.type, PrinterType::None) << entry;
        EXPECT_EQ(e.name, "") << entry;
        EXPECT_EQ(e.text, entry);
    }
}

class ModelListTest : public ConfigFilesTest {};

TEST_F(ModelListTest, EntriesByIndex) {
    SetupConfig config(files, programFolder, false);
    EXPECT_EQ(config.modelCount(), 3);
    EXPECT_EQ(config.modelEntry(1).name, "QRT-K500NX");
    EXPECT_EQ(config.modelEntry(2).type, PrinterType::Ticket);
    EXPECT_EQ(config.modelEntry(3).type, PrinterType::None);
    EXPECT_EQ(config.modelEntry(3).text, "QRT-K500NX");
    // A missing key reads as its default "0", which names no model.
    EXPECT_EQ(config.modelEntry(4).type, PrinterType::None);
    EXPECT_EQ(config.modelEntry(4).text, "0");
    EXPECT_EQ(config.modelEntry(4).error, "");
}

TEST_F(ModelListTest, DefaultModelIsTheEntryDefaultNameNames) {
    SetupConfig config(files, programFolder, false);
    EXPECT_EQ(config.defaultModel().name, "QRT-T300");
    EXPECT_EQ(config.defaultModel().type, PrinterType::Ticket);
    // Without DEFAULTNAME the index is 0, and DEVICENAME0 does not exist.
    change(setupIni, "DEVICENAME", "DEFAULTNAME", "");
    EXPECT_EQ(config.defaultModel().type, PrinterType::None);
    change(setupIni, "DEVICENAME", "DEFAULTNAME", "3");
    EXPECT_EQ(config.defaultModel().type, PrinterType::None);
}

TEST_F(ModelListTest, CountIsKeptWithinReason) {
    SetupConfig config(files, programFolder, false);
    change(setupIni, "DEVICENAME", "DEVICENUMBER", "-4");
    EXPECT_EQ(config.modelCount(), 0);
    change(setupIni, "DEVICENAME", "DEVICENUMBER", "2147483647");
    EXPECT_EQ(config.modelCount(), maxModelCount);
    change(setupIni, "DEVICENAME", "DEVICENUMBER", " 7 models");
    EXPECT_EQ(config.modelCount(), 7);
    change(setupIni, "DEVICENAME", "DEVICENUMBER", "seven");
    EXPECT_EQ(config.modelCount(), 0);
}

TEST_F(ModelListTest, OverlongEntryIsRefusedNotCut) {
    SetupConfig config(files, programFolder, false);
    const std::string suffix = "-ReceiptPrinter";
    const std::string longest(modelNameLimit - suffix.size(), 'M');
    change(setupIni, "DEVICENAME", "DEVICENAME1", longest + suffix);
    EXPECT_EQ(config.modelEntry(1).name, longest);

    // One character more would lose the suffix's last letter if it were cut.
    change(setupIni, "DEVICENAME", "DEVICENAME1", longest + "M" + suffix);
    const ModelEntry refused = config.modelEntry(1);
    EXPECT_EQ(refused.type, PrinterType::None);
    EXPECT_EQ(refused.name, "");
    EXPECT_NE(refused.error.find("DEVICENAME1"), std::string::npos) << refused.error;
    EXPECT_NE(refused.error.find("[DEVICENAME]"), std::string::npos) << refused.error;
    EXPECT_NE(refused.error.find(setupIni), std::string::npos) << refused.error;
}

TEST(TypeFileNames, LowerCaseForTheEngineCapitalisedForThePages) {
    const PrinterType types[] = {PrinterType::Receipt, PrinterType::Ticket, PrinterType::Label,
                                 PrinterType::Embedded};
    const char* const lower[] = {"setup_receipt", "setup_ticket", "setup_lable", "setup_embedded"};
    const char* const capital[] = {"setup_receipt", "setup_Ticket", "setup_Lable",
                                   "setup_Embedded"};
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(typeFileName(types[t], false), std::string("DRVCONFIG\\") + lower[t] + ".ini");
        EXPECT_EQ(typeFileName(types[t], true), std::string("DRVCONFIG\\") + lower[t] + "_64.ini");
        EXPECT_EQ(capitalisedTypeFileName(types[t], false),
                  std::string("DRVCONFIG\\") + capital[t] + ".ini");
        EXPECT_EQ(capitalisedTypeFileName(types[t], true),
                  std::string("DRVCONFIG\\") + capital[t] + "_64.ini");
    }
    EXPECT_EQ(typeFileName(PrinterType::None, false), "");
    EXPECT_EQ(capitalisedTypeFileName(PrinterType::None, true), "");
}

TEST(TypeFileNames, PathsFollowTheProgramFolderAndBitness) {
    ProfileFilesFake files;
    SetupConfig config32(files, "C:\\pkg\\", false);
    EXPECT_EQ(config32.setupIniPath(), setupIni);
    EXPECT_EQ(config32.typeFilePath(PrinterType::Label), "C:\\pkg\\DRVCONFIG\\setup_lable.ini");
    SetupConfig config64(files, programFolder, true);
    EXPECT_EQ(config64.setupIniPath(), setupIni);
    EXPECT_EQ(config64.typeFilePath(PrinterType::Embedded),
              "C:\\pkg\\DRVCONFIG\\setup_embedded_64.ini");
}

TEST(ModelSupportKeys, EveryKeyOfThePortSection) {
    ProfileFilesFake files;
    files.set("C:\\pkg\\DRVCONFIG\\setup_ticket.ini",
              "[QRT-T300.PORT]\r\nUSBSUPPORTED=1\r\nLPTSUPPORTED=0\r\nCOMSUPPORTED=2\r\n"
              "NETSUPPORTED=3\r\nLPTDEFAULT=4\r\nRASTERVISIABLE=1\r\nAdvancedSetup=5\r\n"
              "SystemNTSupported=6\r\nSystem2003Supported=7\r\nSystemVistaSupported=8\r\n"
              "System2008Supported=9\r\nSystemWin7Supported=10\r\nBaudRate=19200\r\n");
    // The pages name the file capitalised; it is the same file.
    const ModelSupport s =
        readModelSupport(files, "C:\\pkg\\DRVCONFIG\\setup_Ticket.ini", "QRT-T300");
    EXPECT_EQ(s.usb, 1);
    EXPECT_EQ(s.lpt, 0);
    EXPECT_EQ(s.com, 2);
    EXPECT_EQ(s.net, 3);
    EXPECT_EQ(s.lptDefault, 4);
    EXPECT_EQ(s.rasterHidden, 1);
    EXPECT_EQ(s.advancedSetup, 5);
    EXPECT_EQ(s.systemNt, 6);
    EXPECT_EQ(s.system2003, 7);
    EXPECT_EQ(s.systemVista, 8);
    EXPECT_EQ(s.system2008, 9);
    EXPECT_EQ(s.systemWin7, 10);
    EXPECT_EQ(s.baudRate, 19200);
    const ModelSupport none =
        readModelSupport(files, "C:\\pkg\\DRVCONFIG\\setup_Ticket.ini", "QRT-T301");
    EXPECT_EQ(none.usb + none.lpt + none.com + none.net + none.advancedSetup + none.baudRate, 0);
}

} // namespace
} // namespace setup::testing
