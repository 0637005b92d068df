#pragma once

#include "analysis/analysis_texts.h"
#include "machines/machine.h"
#include "machines/machine_theory.h"

#include <string>
#include <vector>

// The window's tables of a machine's theory: the same figures `zelkora-run --theory` prints, in
// the rows the theory panel shows and exports.
namespace zelkora::machines {

// 項目 and 値: the first hit, the chain, the support states' entry and continuation, the money
// figures on cash, on held balls and at the chosen 持ち玉比率, and the 遊タイム break-even count.
TextTable machineTheoryTable(const MachineVerification& verification, const MachineTheory& theory);

// 回転単価 at each exchange rate and spins per 1000 yen at the held share, with the borders on
// cash, on held balls and at the share, as the classic theory's rate table has them.
TextTable machineRateTable(const MachineVerification& verification, const ChainFigures& chain,
                           double heldShare);

// The continuation of every entry into a support state, as the chart labels and percents.
struct ContinuationBars {
    std::vector<std::string> labels;
    std::vector<double> percents;
};
ContinuationBars continuationBars(const ChainFigures& chain);

} // namespace zelkora::machines
