#include "json_report.h"

#include <array>

namespace zelkora::cli {
namespace {

// The figures 統計データobCLR clears, in its order, then the run's own figures.
constexpr std::array<Field, 22> kReportedFigures{
    Field::勝数表示,         Field::負け数表示,       Field::勝率表示,
    Field::平均収支表示,     Field::初当たり数表示,   Field::初当たり確率表示,
    Field::初当り確変率表示, Field::初当り確変数表示, Field::総大当り数表示,
    Field::確率表示,         Field::確変率表示,       Field::確変数表示,
    Field::総回転数表示,     Field::収支表示F,        Field::最大はまり表示,
    Field::初当り時短率表示, Field::初当り時短数表示, Field::総時短率表示,
    Field::総時短数表示,     Field::平均連荘表示,     Field::持ち玉比率,
    Field::総時短回転数表示};

} // namespace

std::vector<std::pair<std::string_view, std::string>> reportedFigures(const FieldStore& fields) {
    std::vector<std::pair<std::string_view, std::string>> figures;
    const auto add = [&](Field field) {
        figures.emplace_back(fieldName(field), fields.text(field));
    };
    for (Field field : kReportedFigures) {
        add(field);
    }
    for (int bucket = 1; bucket <= 9; ++bucket) {
        add(spinShareField(bucket));
    }
    for (int bucket = 1; bucket <= 9; ++bucket) {
        add(spinCumulativeField(bucket));
    }
    for (int bucket = 1; bucket <= 11; ++bucket) {
        add(streakShareField(bucket));
    }
    return figures;
}

std::string jsonReport(const FieldStore& fields, std::int32_t resultRecords) {
    nlohmann::ordered_json report = nlohmann::ordered_json::object();
    for (const auto& [name, text] : reportedFigures(fields)) {
        report[std::string(name)] = text;
    }
    report["records"] = resultRecords;
    return dumpJson(report);
}

std::string dumpJson(const nlohmann::ordered_json& json) {
    // A text that is not UTF-8 is shown with replacement characters rather than refused.
    return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

namespace {

void appendLine(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += "  ";
    text += value;
    text += '\n';
}

std::string boxes(const FieldStore& fields, Field (*boxOf)(int), int count) {
    std::string line;
    for (int bucket = 1; bucket <= count; ++bucket) {
        line += bucket > 1 ? " " : "";
        line += fields.text(boxOf(bucket));
    }
    return line;
}

} // namespace

std::string textReport(const FieldStore& fields, std::int32_t resultRecords) {
    std::string text;
    appendLine(text, "検証", fields.text(Field::条件_名前));
    for (Field field : kReportedFigures) {
        appendLine(text, fieldName(field), fields.text(field));
    }
    appendLine(text, "回転数分布", boxes(fields, spinShareField, 9));
    appendLine(text, "回転数累計", boxes(fields, spinCumulativeField, 9));
    appendLine(text, "連荘分布", boxes(fields, streakShareField, 11));
    appendLine(text, "記録数", std::to_string(resultRecords));
    return text;
}

} // namespace zelkora::cli
