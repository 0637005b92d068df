#pragma once

#include "files/verification_conditions.h"
#include "machines/checked.h"
#include "machines/machine.h"

#include <filesystem>

namespace zelkora::machines {

// A classic verification as a machine of states: 通常 at 1/N; 確変 at 1/(N ÷ 6) until the next
// hit; a 時短 of t spins at 1/N for each 時短数 t of the symbol table, back to 通常 at its end;
// 次まで時短 at 1/N until the next hit. Every hit draws the symbol table, each symbol with an
// equal share, paying its 出玉数 over no rounds; support spins gain and lose no balls. The
// campaign takes the classic conditions as they are.
//
// Where the classic engine's next transition reads more than the mode (a limiter, or a running
// 時短's remaining spins carried over a later hit: a 通常 symbol without 時短 beside symbols with
// one), the modes are unrolled into states that carry what it reads (classic_modes.h).
//
// Refused, with the reason, for a symbol kind the engine does not know, a negative 時短数,
// conditions no run could start with, or more unrolled states than a machine may have.
Checked<MachineVerification> convertClassic(const StoredConditions& conditions);

// Reads a .pac file's conditions as Open does and converts them; the file is not changed.
Checked<MachineVerification> convertClassicFile(const std::filesystem::path& path);

} // namespace zelkora::machines
