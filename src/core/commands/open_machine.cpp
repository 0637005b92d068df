#include "commands/open_machine.h"

#include "commands/file_command_messages.h"
#include "commands/file_dialogs.h"
#include "commands/window_startup.h"
#include "files/utf8_path.h"
#include "files/verification_input.h"
#include "machines/machine_file.h"
#include "results/grids_and_charts.h"
#include "results/rebuild.h"
#include "results/statistics.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace zelkora {
namespace {

constexpr std::string_view kMachineExtension = ".json";

// The condition boxes a machine's campaign has no value for: the classic machine's own
// probability-change, time-saving and symbol settings.
constexpr std::array<Field, 5> kClassicOnlyConditions{Field::条件_TS, Field::条件_リミッター,
                                                      Field::条件_リミッター数,
                                                      Field::条件_確変倍率, Field::条件_絵柄数};

void showCampaignConditions(FieldStore& fields, const machines::MachineVerification& machine) {
    const machines::Campaign& campaign = machine.campaign;
    fields.setText(Field::条件_名前, machine.machine.name);
    const machines::State* start = machine.machine.state(machine.machine.startState);
    if (start != nullptr && start->hitDenominator > 0) {
        fields.setNumber(Field::条件_確率, start->hitDenominator);
    } else {
        fields.setText(Field::条件_確率, "");
    }
    fields.setNumber(Field::条件_両替率, campaign.exchangeBallsPer100Yen);
    fields.setNumber(Field::条件_回転数1000円, campaign.spinsPer1000Yen);
    fields.setNumber(Field::条件_投資単位, campaign.investmentUnitYen);
    fields.setNumber(Field::条件_投資上限日, campaign.dailyCapYen);
    fields.setNumber(Field::条件_何日分, campaign.days);
    fields.setNumber(Field::条件_回転時間, campaign.spinSeconds);
    fields.setNumber(Field::条件_確変回転時間, campaign.supportSpinSeconds);
    fields.setNumber(Field::条件_時間比率, campaign.timeRatioPercent);
    fields.setText(Field::条件_出玉を両替, campaign.reinvest ? "はい" : "いいえ");
    for (Field field : kClassicOnlyConditions) {
        fields.setText(field, "");
    }
}

// Every figure, strip, grid, chart and distribution of the verification shown before.
void clearShownResults(MainWindowModel& model) {
    clearShownFigures(model);
    グラフCLR(model.charts);
    グリッド見出し設定(model.grids);
    model.grids.grid2.setRowCount(1); // a machine has no symbol table
    model.window.resultRecordCounter = 0;
}

} // namespace

bool isMachineFileName(std::string_view path) {
    if (path.size() < kMachineExtension.size()) {
        return false;
    }
    const std::string_view extension = path.substr(path.size() - kMachineExtension.size());
    return std::equal(extension.begin(), extension.end(), kMachineExtension.begin(),
                      [](char left, char right) {
                          return std::tolower(static_cast<unsigned char>(left)) == right;
                      });
}

MachineReading readOpenMachine(const std::string& file) {
    const std::filesystem::path path = pathFromUtf8(file);
    // A pipe, a folder or a huge file is refused before a byte is read, as for a .pac.
    if (Status input = checkVerificationInput(path); !input.ok()) {
        return {nullptr, openRefusedMessage(file, input.error())};
    }
    machines::Checked<machines::MachineVerification> read = machines::readMachineFile(path);
    if (!read.ok()) {
        return {nullptr, machineRefusedMessage(file, read.problem())};
    }
    auto machine = std::make_unique<OpenMachine>();
    machine->file = file;
    machine->verification = read.value();
    machine->graph = machines::buildGraph(machine->verification.machine);
    return {std::move(machine), std::nullopt};
}

std::string openMachineStatusText(const OpenMachine& machine) {
    return "機種ファイル " + machine.verification.machine.name +
           " を開いています。条件の編集と .pac への保存、比較検証は .pac の検証で使えます。";
}

void showOpenMachine(MainWindowModel& model, const OpenMachine& machine) {
    clearShownResults(model);
    showCampaignConditions(model.fields, machine.verification);
    // The slots show the day the machine plays; its service-time rule is not played, so 条件_TS
    // stays empty.
    model.program.playSchedule = machine.verification.campaign.playSchedule;
    WindowValues& window = model.window;
    window.savedName = false;
    window.filePath = machine.file;
    window.fileTitle = utf8FromPath(pathFromUtf8(machine.file).filename());
    window.caption = captionWithTitle(window.fileTitle);
    window.unsaved = false;
    model.runArea = RunArea{};
    model.fields.setText(Field::EXP, machine.verification.machine.name);
    model.fields.setText(Field::action表示, "");
    model.fields.setText(Field::StatusBar1_Panel1, openMachineStatusText(machine));
    model.openKind = OpenKind::Machine;
    model.commands.apply(Availability::MachineLoaded);
}

void showClosedMachine(MainWindowModel& model) {
    clearShownResults(model);
    for (auto field = static_cast<std::size_t>(Field::条件_名前);
         field <= static_cast<std::size_t>(Field::条件_TS); ++field) {
        model.fields.setText(static_cast<Field>(field), "");
    }
    showWindowWithoutVerification(model);
    WindowValues& window = model.window;
    window.savedName = false;
    window.fileTitle = std::string(kInitialFileTitle);
    window.caption = std::string(kProductTitle);
    window.unsaved = false;
    model.openKind = OpenKind::Classic;
}

} // namespace zelkora
