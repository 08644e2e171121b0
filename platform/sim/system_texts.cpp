#include "platform/sim/system_texts.h"

#include "platform/win_types.h"

#include <map>

namespace platform::sim {

// The errors the programs meet most, as FormatMessage gives them.
const char* systemErrorText(std::uint32_t code) {
    static const std::map<std::uint32_t, const char*> texts = {
        {err::fileNotFound, "The system cannot find the file specified.\r\n"},
        {err::pathNotFound, "The system cannot find the path specified.\r\n"},
        {err::accessDenied, "Access is denied.\r\n"},
        {err::invalidHandle, "The handle is invalid.\r\n"},
        {err::notEnoughMemory, "Not enough storage is available to process this command.\r\n"},
        {err::sharingViolation, "The process cannot access the file because it is being used by "
                                "another process.\r\n"},
        {err::fileExists, "The file exists.\r\n"},
        {err::invalidParameter, "The parameter is incorrect.\r\n"},
        {err::insufficientBuffer, "The data area passed to a system call is too small.\r\n"},
        {err::modNotFound, "The specified module could not be found.\r\n"},
        {err::procNotFound, "The specified procedure could not be found.\r\n"},
        {err::alreadyExists, "Cannot create a file when that file already exists.\r\n"},
        {err::noMoreItems, "No more data is available.\r\n"},
        {err::serviceAlreadyRunning, "An instance of the service is already running.\r\n"},
        {err::serviceDisabled, "The service cannot be started, either because it is disabled or "
                               "because it has no enabled devices associated with it.\r\n"},
        {err::serviceRequestTimeout,
         "The service did not respond to the start or control request in a timely fashion.\r\n"},
        {err::callNotImplemented, "This function is not supported on this system.\r\n"},
        {err::badExeFormat, "%1 is not a valid Win32 application.\r\n"},
        {err::invalidServiceControl, "The requested control is not valid for this service.\r\n"},
        {err::serviceDoesNotExist,
         "The specified service does not exist as an installed service.\r\n"},
        {err::serviceCannotAcceptCtrl,
         "The service cannot accept control messages at this time.\r\n"},
        {err::serviceNotActive, "The service has not been started.\r\n"},
        {err::rpcServerUnavailable, "The RPC server is unavailable.\r\n"},
        {err::unknownPort, "The specified port is unknown.\r\n"},
        {err::unknownPrinterDriver, "The printer driver is unknown.\r\n"},
        {err::unknownPrintProcessor, "The print processor is unknown.\r\n"},
        {err::invalidPrinterName, "The printer name is invalid.\r\n"},
        {err::printerAlreadyExists, "The printer already exists.\r\n"},
        {err::invalidEnvironment, "The environment specified is invalid.\r\n"},
        {err::invalidDatatype, "The specified datatype is invalid.\r\n"},
        {err::resourceDataNotFound,
         "The specified image file did not contain a resource section.\r\n"},
        {err::resourceTypeNotFound,
         "The specified resource type cannot be found in the image file.\r\n"},
        {err::resourceNameNotFound,
         "The specified resource name cannot be found in the image file.\r\n"},
        {err::unknownPrintMonitor, "The specified print monitor is unknown.\r\n"},
        {err::printerDriverInUse, "The specified printer driver is currently in use.\r\n"},
        {err::printProcessorAlreadyInstalled,
         "The specified print processor has already been installed.\r\n"},
        {err::printMonitorAlreadyInstalled,
         "The specified print monitor has already been installed.\r\n"},
        {err::invalidPrintMonitor,
         "The specified print monitor does not have the required functions.\r\n"},
        {err::printMonitorInUse, "The specified print monitor is currently in use.\r\n"},
        {err::printerHasJobsQueued,
         "The requested operation is not allowed when there are jobs queued to the printer.\r\n"},
    };
    const auto it = texts.find(code);
    return it == texts.end() ? nullptr : it->second;
}

} // namespace platform::sim
