// A package's configuration files in memory: setup.ini and the receipt and
// ticket type files of both bitnesses, with one model section per variant that
// says in its values which variant it is.
#pragma once

#include "common/profile_file.h"
#include "setup/engine/config_reader.h"
#include "setup/engine/setup_config.h"
#include "tests/setup/profile_files_fake.h"
#include "setup/engine/model_support.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace setup::testing {

inline const char* const programFolder = "C:\\pkg";
inline const char* const setupIni = "C:\\pkg\\DRVCONFIG\\setup.ini";
inline const char* const receiptIni = "C:\\pkg\\DRVCONFIG\\setup_receipt.ini";
inline const char* const receipt64Ini = "C:\\pkg\\DRVCONFIG\\setup_receipt_64.ini";
inline const char* const ticketIni = "C:\\pkg\\DRVCONFIG\\setup_ticket.ini";
inline const char* const ticket64Ini = "C:\\pkg\\DRVCONFIG\\setup_ticket_64.ini";

// "XP" for ".XP": the mark a variant's section leaves in its values.
inline std::string mark(OsVariant os) {
    return std::string(common::osSuffix(os) + 1);
}

// One model section; its values carry the model and the variant.
inline std::string modelSection(const std::string& model, OsVariant os, const std::string& tag) {
    const std::string m = mark(os);
    return "[" + model + common::osSuffix(os) + "]\r\n" + "GDIDriverName=" + model + " " + tag +
           " " + m + "\r\n" + "DriverNameS=" + model + " S " + m + "\r\n" + "DriverNameP=" + model +
           " P " + m + "\r\n" + "DriverNameU=" + model + " U " + m + "\r\n" +
           "DriverNameN=" + model + " N " + m + "\r\n" +
           "GDIDriverPath=UNIDRV.DLL\r\nGDIDataFile=G" + m + ".GPD\r\n" +
           "GDIConfigFile=UNIDRVUI.DLL\r\nGDIHelpFile=UNIDRV.HLP\r\n" + "GDIDataFileDLLName=GRES" +
           m + ".DLL\r\nGDIDataOemuiDLL=KVUI.DLL\r\n" +
           "GDIDataOemuniDLL=KVRENDER.DLL\r\nGDIDataOemuniini=KVOEM.INI\r\n" +
           "GDIProcessorDLLName=KVPROCESSOR.DLL\r\nGDIPrintProcessor=KVPrintProc\r\n" +
           "GDI2KDDKDEV=1\r\n" + "STDDriverPath=UNIDRV.DLL\r\nSTDDataFile=S" + m + ".GPD\r\n" +
           "STDConfigFile=UNIDRVUI.DLL\r\nSTDHelpFile=UNIDRV.HLP\r\n" + "STDDataFileDLLName=SRES" +
           m + ".DLL\r\nSTDDataOemuiDLL=KVUI.DLL\r\n" +
           "STDDataOemuniDLL=0\r\nSTDDataOemuniini=0\r\nSTDProcessorDLLName=0\r\n" +
           "STDPrintProcessor=WinPrint\r\nSTD2KDDKDEV=1\r\n" +
           "ATTRIBUTES=2112\r\nControlFontFile=KVCTRL.TTF\r\nUSBInternalID=KVUSBID.DAT\r\n\r\n";
}

inline std::string monitorSection(OsVariant os) {
    const std::string m = mark(os);
    return std::string("[COMMON-MONITOR") + common::osSuffix(os) + "]\r\n" +
           "USBMONitorPName=KV USB Monitor\r\nUSBMONitorPDLLName=KVUSB" + m + ".DLL\r\n" +
           "USBMONitorPUIDLLName=KVUSBUI.DLL\r\nUSBMONitorVersion=3\r\n" +
           "COMMONitorPName=KV COM Monitor\r\nCOMMONitorPDLLName=KVCOM" + m + ".DLL\r\n" +
           "COMMONitorPUIDLLName=KVCOMUI.DLL\r\nCOMMONitorVersion=2\r\n" +
           "USBLMONitorName=KV Language Monitor " + m + "\r\nUSBLMONitorDLLName=KVLANGMON.DLL\r\n" +
           "USBLMONitorVersion=5\r\n\r\n";
}

class ConfigFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string setup = "[DEVICENAME]\r\nDEVICENUMBER=3\r\n"
                            "DEVICENAME1=QRT-K500NX-ReceiptPrinter\r\n"
                            "DEVICENAME2=QRT-T300-TicketPrinter\r\n"
                            "DEVICENAME3=QRT-K500NX\r\nDEFAULTNAME=2\r\n\r\n"
                            "[ProcessorVersion]\r\nDriverVersion=4\r\n\r\n"
                            "[SUPPORTED-USB-DEVICE]\r\nUSB_QRT-K500NX_1=1\r\n"
                            "USB_QRT-K500NX_2=2\r\n\r\n";
        std::string receipt, receipt64, ticket, ticket64;
        for (OsVariant os = 0; os <= 7; ++os) {
            setup += monitorSection(os);
            receipt += modelSection("QRT-K500NX", os, "Receipt");
            ticket += modelSection("QRT-T300", os, "Ticket");
            if (os >= common::osXp) {
                receipt64 += modelSection("QRT-K500NX", os, "Receipt x64");
                ticket64 += modelSection("QRT-T300", os, "Ticket x64");
            }
        }
        files.set(setupIni, setup);
        files.set(receiptIni, receipt);
        files.set(receipt64Ini, receipt64);
        files.set(ticketIni, ticket);
        files.set(ticket64Ini, ticket64);
    }

    // Changes one value of one of the files.
    void change(const std::string& file, const std::string& section, const std::string& key,
                const std::string& value) {
        files.set(file, common::profileSetString(files.text(file), section, key, value));
    }

    ProfileFilesFake files;
};

} // namespace setup::testing
