#include "oemui/pages/control_table_dialogs.h"

#include "oemui/hex_command.h"
#include "oemui/pages/edit_hex_command.h"
#include "oemui/resource.h"

#include <vector>

namespace oemui::pages {
namespace {

constexpr int charColumn = 0;
constexpr int hexColumn = 1;
constexpr int commandColumn = 2;
constexpr std::uint32_t lvsExFullRowSelect = 0x20;

// A command text parsed for storing, or nothing with the user told why.
bool parseCommand(PageView& view, platform::PluginHost& host, const std::u16string& text,
                  std::vector<std::uint8_t>& command) {
    command = ParseHexCommand(text);
    if (command.size() > maxCommandBytes) {
        host.MessageBoxW(view.window(), u"Command length error", u"Error", platform::mb::ok);
        return false;
    }
    return true;
}

// The list keeps its selection in sight and the focus, for the next key.
void revealRow(PageView& view, int row) {
    view.select(IDC_CT_LIST, row);
    view.focus(IDC_CT_LIST);
}

} // namespace

void ControlTableDialog::onInit(PageView& view) {
    view.setText(IDC_CT_DRIVER_NAME, u"QRT-K500NX Printer Driver");
    view.setReadOnly(IDC_CT_DRIVER_NAME, true);
    view.clearItems(IDC_CT_LIST);
    view.addColumn(IDC_CT_LIST, u"Char", 50);
    view.addColumn(IDC_CT_LIST, u"Hex", 50);
    view.addColumn(IDC_CT_LIST, u"Command", 450);
    view.setListStyle(IDC_CT_LIST, lvsExFullRowSelect);

    path_ = controlTablePath(host_);
    work_.table = loadControlTable(host_, path_);
    std::u16string refused;
    for (const ControlFontEntry& entry : work_.table) {
        const int row = view.addItem(IDC_CT_LIST, std::u16string(1, entry.character));
        const std::u16string key = tableKey(entry.character);
        view.setCell(IDC_CT_LIST, row, hexColumn, key);
        if (entry.refusedText.empty()) {
            view.setCell(IDC_CT_LIST, row, commandColumn, FormatHexCommand(entry.command));
        } else {
            view.setCell(IDC_CT_LIST, row, commandColumn, entry.refusedText);
            refused += (refused.empty() ? u"" : u", ") + std::u16string(1, entry.character) +
                       u" (" + key + u")";
        }
    }
    if (!refused.empty()) {
        host_.MessageBoxW(view.window(),
                          u"The commands of these characters are longer than 128 bytes: " +
                              refused +
                              u".\nThey are kept as they are; delete one to give it a new "
                              u"command.",
                          u"Control Font Character Translation Table", platform::mb::iconWarning);
    }
}

void ControlTableDialog::onEvent(PageView& view, const ui::ControlEvent& event) {
    using ui::Notice;
    const int row = view.selection(IDC_CT_LIST);
    if ((event.id == IDC_CT_EDIT && event.notice == Notice::Clicked) ||
        (event.id == IDC_CT_LIST && event.notice == Notice::DoubleClicked)) {
        if (row >= 0) {
            editRow(view);
            revealRow(view, row);
        }
    } else if (event.id == IDC_CT_DELETE && event.notice == Notice::Clicked) {
        if (row >= 0) {
            view.setCell(IDC_CT_LIST, row, commandColumn, u"");
            revealRow(view, row);
        }
    } else if (event.id == ui::idOk) {
        save(view);
    } else if (event.id == ui::idCancel) {
        view.close(ui::idCancel);
    }
}

void ControlTableDialog::editRow(PageView& view) {
    const int row = view.selection(IDC_CT_LIST);
    if (!parseCommand(view, host_, view.cell(IDC_CT_LIST, row, commandColumn), work_.command)) {
        return;
    }
    work_.characterText = view.cell(IDC_CT_LIST, row, charColumn);
    work_.hexText = view.cell(IDC_CT_LIST, row, hexColumn);
    ControlEntryDialog entry(host_, work_);
    if (view.runModal(IDD_CONTROL_ENTRY, entry) == ui::idOk) {
        view.setCell(IDC_CT_LIST, row, commandColumn, FormatHexCommand(work_.command));
    }
}

void ControlTableDialog::save(PageView& view) {
    std::vector<TableRow> rows;
    for (int row = 0; row < view.itemCount(IDC_CT_LIST); ++row) {
        rows.push_back(
            {view.cell(IDC_CT_LIST, row, hexColumn), view.cell(IDC_CT_LIST, row, commandColumn)});
    }
    if (!saveControlTable(host_, path_, rows)) {
        host_.MessageBoxW(view.window(), u"Please check if user has administrator privileges!",
                          u"Error", platform::mb::iconError);
        return;
    }
    view.close(ui::idOk);
}

void ControlEntryDialog::onInit(PageView& view) {
    view.setText(IDC_CE_CHAR, work_.characterText);
    view.setReadOnly(IDC_CE_CHAR, true);
    view.setText(IDC_CE_HEX, work_.hexText);
    view.setReadOnly(IDC_CE_HEX, true);
    useEditHexCommand(view, IDC_CE_COMMAND);
    view.setText(IDC_CE_COMMAND, FormatHexCommand(work_.command));
}

void ControlEntryDialog::onEvent(PageView& view, const ui::ControlEvent& event) {
    if (event.id == ui::idOk) {
        std::vector<std::uint8_t> command;
        if (parseCommand(view, host_, view.text(IDC_CE_COMMAND), command)) {
            work_.command = command;
            view.close(ui::idOk);
        }
    } else if (event.id == ui::idCancel) {
        view.close(ui::idCancel);
    }
}

bool ControlEntryDialog::onCharacter(PageView& view, int id, unsigned character) {
    return id != IDC_CE_COMMAND || EditHexCommand(view, character);
}

} // namespace oemui::pages
