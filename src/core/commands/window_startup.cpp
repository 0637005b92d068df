#include "commands/window_startup.h"

#include "results/grids_and_charts.h"

#include <array>
#include <string_view>

namespace zelkora {
namespace {

void showDefaultSymbols(GridTable& grid2) {
    const std::vector<SymbolRow> symbols = defaultSymbolTable();
    grid2.setRowCount(static_cast<int>(symbols.size()) + 1);
    int row = 1;
    for (const SymbolRow& symbol : symbols) {
        const std::array<std::string_view, 5> cells{symbol.name, symbol.kind, symbol.shortTimeSpins,
                                                    symbol.rule, symbol.payout};
        grid2.setRow(row++, cells);
    }
}

} // namespace

void showWindowWithoutVerification(MainWindowModel& model) {
    グラフCLR(model.charts);
    グリッド見出し設定(model.grids);
    showDefaultSymbols(model.grids.grid2);

    model.runArea = RunArea{};
    model.fields.setText(Field::StatusBar1_Panel1, kStartupStatusText);
    model.fields.setText(Field::EXP, kWelcomeText);
    model.fields.setText(Field::action表示, kStartupActionText);

    model.commands.apply(Availability::NoVerification);
    model.commands.selectPlainRandom();
}

} // namespace zelkora
