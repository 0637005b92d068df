#pragma once

#include "files/file_system.h"
#include "machines/checked.h"
#include "machines/machine.h"

#include <filesystem>
#include <string>
#include <string_view>

// The machine verification file: UTF-8 JSON with the machine and the campaign, described field
// by field in docs/MACHINE_FILE.md.
namespace zelkora::machines {

inline constexpr std::string_view kMachineFileFormat = "zelkora-machine-verification";
inline constexpr int kMachineSchemaVersion = 1;

// The file's text for a verification: keys in a fixed order, two-space indents, whole numbers
// without a fraction and other numbers in their shortest exact form, so reading a written file
// and writing it again gives the same bytes.
std::string machineFileText(const MachineVerification& verification);

// Reads a file's text: a JSON syntax fault, a key the schema does not know, a value of the
// wrong type, a newer schema version or a machine or campaign that fails its checks is refused
// with a Japanese message that names the key or entry.
Checked<MachineVerification> parseMachineFile(std::string_view text);

Checked<MachineVerification> readMachineFile(const std::filesystem::path& path);

// Writes the verification through the safe replace: the old file stays whole when anything
// fails. A verification that fails its checks is not written. The message says what failed.
std::string writeMachineFile(FileSystem& files, const std::filesystem::path& path,
                             const MachineVerification& verification);

} // namespace zelkora::machines
