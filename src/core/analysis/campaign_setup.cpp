#include "analysis/campaign_setup.h"

#include "conditions/condition_set.h"
#include "files/verification_input.h"
#include "files/working_copy_file.h"
#include "platform/silent_user_interface.h"
#include "results/ind_preset.h"

namespace zelkora {

Result<CampaignSetup> campaignSetupOf(MainWindowModel loaded, int countdown, std::uint64_t seed) {
    FileWorkingCopy workingCopy(loaded.workingCopyPath());
    Result<StoredConditions> conditions = workingCopy.readConditions();
    if (!conditions.ok()) {
        return std::move(conditions).error();
    }
    CampaignSetup setup;
    setup.conditions = std::move(conditions).value();
    setup.loaded = std::move(loaded);
    setup.countdown = countdown;
    setup.seed = seed;
    return setup;
}

namespace {

Result<MainWindowModel> loadedFrom(const std::filesystem::path& folder,
                                   const MainWindowModel& window) {
    MainWindowModel model;
    model.programFolder = folder;
    SilentUserInterface ui;
    if (Status read = IndPreset(model, ui); !read.ok()) {
        return std::move(read).error();
    }
    model.commands.apply(Availability::VerificationLoaded);
    if (window.commands.checked(Menu::MO_Prob)) {
        model.commands.toggleProbabilityConvergence();
    }
    if (window.commands.checked(Menu::MO_Pic)) {
        model.commands.toggleSymbolConvergence();
    }
    return model;
}

} // namespace

Result<MainWindowModel> freshlyLoaded(const MainWindowModel& window) {
    return loadedFrom(window.programFolder, window);
}

LoadedCopy loadedCopyOf(FileSystem& files, const std::filesystem::path& file,
                        const std::filesystem::path& folder, const MainWindowModel& window) {
    MainWindowModel placed;
    placed.programFolder = folder;
    if (Status copied = copyVerificationIn(files, file, placed.workingCopyPath()); !copied.ok()) {
        return {std::move(copied).error(), true};
    }
    return {loadedFrom(folder, window), false};
}

std::string theoryInputsKey(const MainWindowModel& window) {
    std::string key;
    const auto add = [&key](std::string_view text) {
        key += text;
        key += '\x1f'; // a separator no condition text holds
    };
    for (const ConditionSpec& condition : kBasicConditions) {
        add(window.fields.text(condition.field));
    }
    for (const ConditionSpec& condition : kTimeConditions) {
        add(window.fields.text(condition.field));
    }
    add(window.fields.text(kSymbolCountCondition.field));
    add(window.program.playSchedule);
    add(window.program.ruleOptionDigits);
    add(std::to_string(window.program.serviceTimeRule));
    const SymbolTable& symbols = window.symbols;
    for (int index = 0; index < symbols.loaded; ++index) {
        const auto entry = static_cast<std::size_t>(index);
        add(symbols.names[entry]);
        add(symbols.kinds[entry]);
        add(std::to_string(symbols.shortTimeSpins[entry]));
        add(symbols.rules[entry]);
        add(std::to_string(symbols.payouts[entry]));
    }
    add(window.commands.checked(Menu::MO_Prob) ? "1" : "0");
    add(window.commands.checked(Menu::MO_Pic) ? "1" : "0");
    return key;
}

} // namespace zelkora
