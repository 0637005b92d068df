#pragma once

#include <filesystem>
#include <optional>

namespace zelkora {

// The 持ち玉比率 (0 … 1) of the run a verification file holds: the share of normal spins played
// on held balls, as the run's summary record keeps it (the run writes it at its end, and Open
// brings the file's own back with the file). Empty while the file holds no run (none played
// since its conditions were last written, or one that ended before its first record), since
// then there is no share of the verification's own; also when the record does not read.
std::optional<double> storedHeldShare(const std::filesystem::path& verificationFile);

} // namespace zelkora
