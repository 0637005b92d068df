#include "machines/machine_file.h"

#include "files/utf8_path.h"
#include "machines/machine_check.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

namespace zelkora::machines {
namespace {

using Json = nlohmann::ordered_json;

// A whole number is written without a fraction, so a hand-written 40 stays 40.
Json numberJson(double value) {
    if (std::isfinite(value) && std::trunc(value) == value && std::abs(value) < 9.0e15) {
        return static_cast<std::int64_t>(value);
    }
    return value;
}

Json shiftJson(const Shift& shift) {
    Json json{{"denominator", numberJson(shift.denominator)}, {"next", shift.next}};
    if (shift.spins > 0) {
        json["spins"] = shift.spins;
    }
    if (shift.guaranteedSpins > 0) {
        json["guaranteed_spins"] = shift.guaranteedSpins;
    }
    return json;
}

Json stateJson(const State& state) {
    Json json{
        {"name", state.name}, {"hit", numberJson(state.hitDenominator)}, {"table", state.table}};
    if (state.spinLimit > 0) {
        json["spin_limit"] = state.spinLimit;
    }
    if (!state.after.empty()) {
        json["after"] = state.after;
    }
    if (state.afterSpins > 0) {
        json["after_spins"] = state.afterSpins;
    }
    if (state.heldSpins > 0) {
        json["held_spins"] = state.heldSpins;
    }
    if (state.supportNetBalls) {
        json["support_net_balls"] = numberJson(*state.supportNetBalls);
    }
    if (state.smallHits) {
        json["small_hits"] = {{"denominator", numberJson(state.smallHits->denominator)},
                              {"balls", numberJson(state.smallHits->balls)}};
    }
    if (state.fall) {
        json["fall"] = shiftJson(*state.fall);
    }
    if (state.cShortTime) {
        json["c_short_time"] = shiftJson(*state.cShortTime);
    }
    return json;
}

Json tableJson(const AllocationTable& table) {
    Json outcomes = Json::array();
    for (const Allocation& outcome : table.outcomes) {
        Json json{{"name", outcome.name},
                  {"weight", numberJson(outcome.weight)},
                  {"rounds", outcome.rounds},
                  {"balls", numberJson(outcome.balls)},
                  {"next", outcome.next}};
        if (outcome.spins > 0) {
            json["spins"] = outcome.spins;
        }
        outcomes.push_back(std::move(json));
    }
    return {{"name", table.name}, {"outcomes", std::move(outcomes)}};
}

Json machineJson(const Machine& machine) {
    Json states = Json::array();
    for (const State& state : machine.states) {
        states.push_back(stateJson(state));
    }
    Json tables = Json::array();
    for (const AllocationTable& table : machine.tables) {
        tables.push_back(tableJson(table));
    }
    Json json{{"name", machine.name},
              {"start_state", machine.startState},
              {"states", std::move(states)},
              {"tables", std::move(tables)}};
    if (machine.ceiling) {
        const Ceiling& ceiling = *machine.ceiling;
        json["ceiling"] = {{"spins", ceiling.spins},
                           {"state", ceiling.state},
                           {"state_spins", ceiling.stateSpins},
                           {"counted_states", ceiling.countedStates}};
    }
    return json;
}

Json campaignJson(const Campaign& campaign) {
    return {{"name", campaign.name},
            {"days", campaign.days},
            {"exchange_balls_per_100_yen", numberJson(campaign.exchangeBallsPer100Yen)},
            {"spins_per_1000_yen", numberJson(campaign.spinsPer1000Yen)},
            {"investment_unit_yen", campaign.investmentUnitYen},
            {"daily_cap_yen", campaign.dailyCapYen},
            {"reinvest", campaign.reinvest},
            {"play_schedule", campaign.playSchedule},
            {"service_time_rule", campaign.serviceTimeRule},
            {"spin_seconds", numberJson(campaign.spinSeconds)},
            {"support_spin_seconds", numberJson(campaign.supportSpinSeconds)},
            {"time_ratio_percent", numberJson(campaign.timeRatioPercent)}};
}

// A refusal while reading, with the key it concerns.
struct FileFault {
    std::string message;
};

// Reads one JSON object: every key it is asked for, then refuses any key left over, so a typing
// error in a key is reported instead of silently taking the default.
class ObjectReader {
public:
    ObjectReader(const Json& json, std::string path) : json_(json), path_(std::move(path)) {
        if (!json.is_object()) {
            throw FileFault{path_ + " はオブジェクト（{ }）で書いてください"};
        }
    }
    ObjectReader(const ObjectReader&) = delete;
    ObjectReader& operator=(const ObjectReader&) = delete;
    ~ObjectReader() = default;

    const Json* find(std::string_view key) {
        read_.insert(std::string(key));
        const auto found = json_.find(key);
        return found == json_.end() ? nullptr : &*found;
    }
    std::string keyPath(std::string_view key) const { return path_ + "." + std::string(key); }

    std::string text(std::string_view key, bool required = true) {
        const Json* value = find(key);
        if (value == nullptr) {
            return missing(key, required, std::string{});
        }
        if (!value->is_string()) {
            throw FileFault{keyPath(key) + " は文字列で書いてください"};
        }
        return value->get<std::string>();
    }
    double number(std::string_view key, bool required = true, double otherwise = 0) {
        const Json* value = find(key);
        if (value == nullptr) {
            return missing(key, required, otherwise);
        }
        if (!value->is_number()) {
            throw FileFault{keyPath(key) + " は数で書いてください"};
        }
        return value->get<double>();
    }
    int whole(std::string_view key, bool required = true, int otherwise = 0) {
        const Json* value = find(key);
        if (value == nullptr) {
            return missing(key, required, otherwise);
        }
        if (!value->is_number_integer() || value->get<std::int64_t>() < -1'000'000'000 ||
            value->get<std::int64_t>() > 1'000'000'000) {
            throw FileFault{keyPath(key) + " は整数で書いてください"};
        }
        return static_cast<int>(value->get<std::int64_t>());
    }
    bool flag(std::string_view key) {
        const Json* value = find(key);
        if (value == nullptr || !value->is_boolean()) {
            throw FileFault{keyPath(key) + " は true か false で書いてください"};
        }
        return value->get<bool>();
    }
    const Json& array(std::string_view key) {
        const Json* value = find(key);
        if (value == nullptr || !value->is_array()) {
            throw FileFault{keyPath(key) + " は配列（[ ]）で書いてください"};
        }
        return *value;
    }
    void finish() const {
        for (const auto& [key, value] : json_.items()) {
            if (!read_.contains(key)) {
                throw FileFault{path_ + " に知らないキー「" + key + "」があります"};
            }
        }
    }

private:
    template <typename T> T missing(std::string_view key, bool required, T otherwise) const {
        if (required) {
            throw FileFault{keyPath(key) + " がありません"};
        }
        return otherwise;
    }

    const Json& json_;
    std::string path_;
    std::set<std::string, std::less<>> read_;
};

std::string indexed(const std::string& path, std::size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

Shift readShift(const Json& json, const std::string& path) {
    ObjectReader reader(json, path);
    Shift shift;
    shift.denominator = reader.number("denominator");
    shift.next = reader.text("next");
    shift.spins = reader.whole("spins", false);
    shift.guaranteedSpins = reader.whole("guaranteed_spins", false);
    reader.finish();
    return shift;
}

State readState(const Json& json, const std::string& path) {
    ObjectReader reader(json, path);
    State state;
    state.name = reader.text("name");
    state.hitDenominator = reader.number("hit");
    state.table = reader.text("table");
    state.spinLimit = reader.whole("spin_limit", false);
    state.after = reader.text("after", false);
    state.afterSpins = reader.whole("after_spins", false);
    state.heldSpins = reader.whole("held_spins", false);
    if (reader.find("support_net_balls") != nullptr) {
        state.supportNetBalls = reader.number("support_net_balls");
    }
    if (const Json* small = reader.find("small_hits")) {
        ObjectReader smallReader(*small, reader.keyPath("small_hits"));
        state.smallHits = SmallHits{smallReader.number("denominator"), smallReader.number("balls")};
        smallReader.finish();
    }
    if (const Json* fall = reader.find("fall")) {
        state.fall = readShift(*fall, reader.keyPath("fall"));
    }
    if (const Json* shortTime = reader.find("c_short_time")) {
        state.cShortTime = readShift(*shortTime, reader.keyPath("c_short_time"));
    }
    reader.finish();
    return state;
}

AllocationTable readTable(const Json& json, const std::string& path) {
    ObjectReader reader(json, path);
    AllocationTable table;
    table.name = reader.text("name");
    const Json& outcomes = reader.array("outcomes");
    for (std::size_t index = 0; index < outcomes.size(); ++index) {
        ObjectReader outcomeReader(outcomes[index], indexed(reader.keyPath("outcomes"), index));
        Allocation outcome;
        outcome.name = outcomeReader.text("name");
        outcome.weight = outcomeReader.number("weight");
        outcome.rounds = outcomeReader.whole("rounds");
        outcome.balls = outcomeReader.number("balls");
        outcome.next = outcomeReader.text("next");
        outcome.spins = outcomeReader.whole("spins", false);
        outcomeReader.finish();
        table.outcomes.push_back(std::move(outcome));
    }
    reader.finish();
    return table;
}

Ceiling readCeiling(const Json& json, const std::string& path) {
    ObjectReader reader(json, path);
    Ceiling ceiling;
    ceiling.spins = reader.whole("spins");
    ceiling.state = reader.text("state");
    ceiling.stateSpins = reader.whole("state_spins", false);
    for (const Json& counted : reader.array("counted_states")) {
        if (!counted.is_string()) {
            throw FileFault{reader.keyPath("counted_states") +
                            " は状態の名前の配列で書いてください"};
        }
        ceiling.countedStates.push_back(counted.get<std::string>());
    }
    reader.finish();
    return ceiling;
}

Machine readMachine(const Json& json) {
    ObjectReader reader(json, "machine");
    Machine machine;
    machine.name = reader.text("name");
    machine.startState = reader.text("start_state");
    const Json& states = reader.array("states");
    for (std::size_t index = 0; index < states.size(); ++index) {
        machine.states.push_back(readState(states[index], indexed("machine.states", index)));
    }
    const Json& tables = reader.array("tables");
    for (std::size_t index = 0; index < tables.size(); ++index) {
        machine.tables.push_back(readTable(tables[index], indexed("machine.tables", index)));
    }
    if (const Json* ceiling = reader.find("ceiling")) {
        machine.ceiling = readCeiling(*ceiling, "machine.ceiling");
    }
    reader.finish();
    return machine;
}

Campaign readCampaign(const Json& json) {
    ObjectReader reader(json, "campaign");
    Campaign campaign;
    campaign.name = reader.text("name");
    campaign.days = reader.whole("days");
    campaign.exchangeBallsPer100Yen = reader.number("exchange_balls_per_100_yen");
    campaign.spinsPer1000Yen = reader.number("spins_per_1000_yen");
    campaign.investmentUnitYen = reader.whole("investment_unit_yen");
    campaign.dailyCapYen = reader.whole("daily_cap_yen");
    campaign.reinvest = reader.flag("reinvest");
    campaign.playSchedule = reader.text("play_schedule");
    campaign.serviceTimeRule = reader.whole("service_time_rule");
    campaign.spinSeconds = reader.number("spin_seconds");
    campaign.supportSpinSeconds = reader.number("support_spin_seconds");
    campaign.timeRatioPercent = reader.number("time_ratio_percent");
    reader.finish();
    return campaign;
}

MachineVerification readVerification(const Json& json) {
    ObjectReader reader(json, "ファイル");
    if (reader.text("format") != kMachineFileFormat) {
        throw FileFault{"機種の検証ファイルではありません（format が " +
                        std::string(kMachineFileFormat) + " ではありません）"};
    }
    const int version = reader.whole("schema_version");
    if (version < 1 || version > kMachineSchemaVersion) {
        throw FileFault{"このファイルの形式の版 " + std::to_string(version) + " は読めません（" +
                        std::to_string(kMachineSchemaVersion) + " まで読めます）"};
    }
    const Json* machine = reader.find("machine");
    const Json* campaign = reader.find("campaign");
    if (machine == nullptr || campaign == nullptr) {
        throw FileFault{"machine と campaign の両方が必要です"};
    }
    MachineVerification verification{readMachine(*machine), readCampaign(*campaign)};
    reader.finish();
    return verification;
}

} // namespace

std::string machineFileText(const MachineVerification& verification) {
    const Json json{{"format", kMachineFileFormat},
                    {"schema_version", kMachineSchemaVersion},
                    {"machine", machineJson(verification.machine)},
                    {"campaign", campaignJson(verification.campaign)}};
    return json.dump(2, ' ', false, Json::error_handler_t::strict) + "\n";
}

Checked<MachineVerification> parseMachineFile(std::string_view text) {
    Json json;
    try {
        json = Json::parse(text);
    } catch (const Json::parse_error& fault) {
        return Checked<MachineVerification>::refused(
            "JSON として読めません（" + std::to_string(fault.byte) + " バイト目付近）");
    }
    try {
        MachineVerification verification = readVerification(json);
        if (std::string problem = machineProblem(verification.machine); !problem.empty()) {
            return Checked<MachineVerification>::refused(problem);
        }
        if (std::string problem = campaignProblem(verification.campaign); !problem.empty()) {
            return Checked<MachineVerification>::refused(problem);
        }
        return verification;
    } catch (const FileFault& fault) {
        return Checked<MachineVerification>::refused(fault.message);
    }
}

Checked<MachineVerification> readMachineFile(const std::filesystem::path& path) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return Checked<MachineVerification>::refused("ファイル「" + utf8FromPath(path) +
                                                     "」を開けません");
    }
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    if (stream.bad()) {
        return Checked<MachineVerification>::refused("ファイル「" + utf8FromPath(path) +
                                                     "」を読めません");
    }
    Checked<MachineVerification> read = parseMachineFile(bytes.str());
    if (!read.ok()) {
        return Checked<MachineVerification>::refused(utf8FromPath(path.filename()) + ": " +
                                                     read.problem());
    }
    return read;
}

std::string writeMachineFile(FileSystem& files, const std::filesystem::path& path,
                             const MachineVerification& verification) {
    if (std::string problem = machineProblem(verification.machine); !problem.empty()) {
        return problem;
    }
    if (std::string problem = campaignProblem(verification.campaign); !problem.empty()) {
        return problem;
    }
    const std::string text = machineFileText(verification);
    const Status written = replaceFileSafely(files, path, [&](const std::filesystem::path& to) {
        std::ofstream stream(to, std::ios::binary | std::ios::trunc);
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        stream.flush();
        return stream ? Status{} : Status{Error{ErrorKind::CannotWrite}};
    });
    if (!written.ok()) {
        return "ファイル「" + utf8FromPath(path) +
               "」に書き込めませんでした。元のファイルはそのままです";
    }
    return {};
}

} // namespace zelkora::machines
