#pragma once

#include "machines/machine.h"
#include "machines/machine_graph.h"
#include "model/main_window_model.h"
#include "platform/platform.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zelkora {

// A machine file open in the window: the verification it holds and its graph, which play and
// the theory read. The window plays it but never writes it, so nothing of it is unsaved.
struct OpenMachine {
    std::string file;         // as the user chose it (UTF-8)
    std::uint64_t serial = 0; // one more at every open, so a view knows a file read again
    machines::MachineVerification verification;
    machines::MachineGraph graph;
};

// A file is read as a machine file by its extension, ".json" in any case; everything else is
// a classic verification.
bool isMachineFileName(std::string_view path);

// The machine of a file, or the message that says why it cannot be opened: a path that is no
// regular file or too large to be a verification, a file that cannot be read, a JSON fault or
// a machine or campaign that fails its checks (naming the entry).
struct MachineReading {
    std::unique_ptr<OpenMachine> machine;
    std::optional<Message> refusal;
};
MachineReading readOpenMachine(const std::string& file);

// The window shows the machine: the previous results cleared, the campaign's conditions in the
// condition boxes where they mean what they mean for a .pac (the others left empty), the file's
// name in the caption and the status bar, and the commands of a machine.
void showOpenMachine(MainWindowModel& model, const OpenMachine& machine);

// The machine closed before a new classic verification: the window as it is without one.
void showClosedMachine(MainWindowModel& model);

// The status bar's text while a machine is open, saying what it can and cannot do.
std::string openMachineStatusText(const OpenMachine& machine);

} // namespace zelkora
