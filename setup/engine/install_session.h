// What the steps of one installation run share: the machine, the message
// texts, the chosen Windows variant and bitness, and the run's single error
// text (the first failing step writes it and the sequence stops).
#pragma once

#include "common/file_names.h"
#include "common/language_text.h"
#include "common/os_variant.h"
#include "common/run_log.h"
#include "platform/win_types.h"

#include <cstdint>
#include <optional>
#include <string>

namespace platform {
class Machine;
}

namespace setup {

// MAX_PATH less the terminator: the longest path the system's folder and copy
// buffers hold. Longer paths are refused with a message, never cut.
inline constexpr std::size_t maxPathLength = 259;

class InstallSession {
public:
    // languageFile: empty for the one under the current directory.
    InstallSession(platform::Machine& machine, common::OsVariant os, bool wow64,
                   platform::Handle owner = 0, const std::string& languageFile = "");

    platform::Machine& machine;
    const common::OsVariant os;
    const bool wow64;
    const platform::Handle owner;

    // The run's one message buffer.
    std::string error;
    // A failure of a step whose failures do not stop the run (the universal
    // driver's support files); told alongside a later failure it may explain.
    std::string note;
    // The system's driver cache is searched at most once per run.
    bool uniDrvExtractionPending = true;
    // The run log, when there is one.
    common::RunLog* log = nullptr;

    // Writes the step the run begins into the log; always true, so that a
    // chain of steps can name each one as it goes.
    bool step(const std::string& what);

    // A text of section Message; the engine's English text when the language
    // file has none for it, so that no failure is ever shown as an empty box.
    std::string text(const std::string& key) const;
    // The system's text for an error, without its trailing line break; empty
    // when the system has none.
    std::string systemText(std::uint32_t code) const;

    // error = the message of `key`, then "\n" and the system's text for `code`
    // when it has one.
    void fail(const std::string& key, std::uint32_t code);
    void failWithText(const std::string& text) { error = text; }

    // The system's folders; on failure the error text is the message `key` and
    // the result is empty. A folder too long to build paths in is refused too.
    std::optional<std::string> windowsFolder(const char* key = "IDS_ERR_GETWINDIR");
    std::optional<std::string> systemFolder(const char* key = "IDS_ERR_GETSYSDIR");
    std::optional<std::string> currentFolder(const char* key = "IDS_ERR_GETCURDIR");
    std::optional<std::string> driverFolder(const char* key = "IDS_ERR_GETDRIVERDIR");
    std::optional<std::string> processorFolder(const char* key = "IDS_ERR_GETPRODIR");

    // False, with a message in the error text, when the path does not fit.
    bool pathFits(const std::string& path);

    // A message box with an OK button, owned by the wizard.
    void show(const std::string& text, std::uint32_t icon = 0);
    // A Yes/No question; true for Yes.
    bool ask(const std::string& text);

private:
    std::optional<std::string> folder(bool ok, std::string path, const char* key);

    common::LanguageText messages_;
    std::string caption_; // the program's title, on every box
};

// The language file: current directory + "\language\setup.ini", or beside
// the program when the current directory cannot be asked.
std::string languageFileFor(platform::Machine& machine, const std::string& programFolder);

using common::isBareFileName;
using common::isNoFile;

} // namespace setup
