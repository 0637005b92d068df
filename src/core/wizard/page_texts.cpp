#include "wizard/page_texts.h"

#include <vector>

namespace zelkora {

const std::array<ServiceTimeOption, 3> kServiceTimeOptions{{
    {"Check_無制限", 0, "無制限扱い", "サービスタイム中の大当りが無制限扱いであればクリック。"},
    {"Check_無内", 1, "時間内のみ無制限", "サービスタイム中のみ無制限でルールは絵柄詳細による。"},
    {"Check_ラッキー", 2, "ラッキー扱い",
     "サービスタイム中の大当りがラッキー扱いであればクリック。アウトは絵柄詳細による"},
}};

namespace {

// --- Page 1 ------------------------------------------------------------------------------------

constexpr std::array<std::string_view, kBasicConditions.size()> kPage1Suffixes{
    "", "分の一", "", "", "連荘", "発で１００円", "日分", "回転", "", "", ""};

constexpr std::array<BoxLabel, kBasicConditions.size()> page1Labels() {
    std::array<BoxLabel, kBasicConditions.size()> labels{};
    for (std::size_t index = 0; index < labels.size(); ++index) {
        labels[index] = {kBasicConditions[index].pageControl, kBasicConditions[index].label,
                         kPage1Suffixes[index]};
    }
    return labels;
}
constexpr auto kPage1Labels = page1Labels();

constexpr std::array<ControlText, 2> kPage1Captions{{
    {"次へ", "次へ"},
    {"キャンセル", "キャンセル"},
}};

constexpr std::array<ControlText, 11> kPage1Help{{
    {"条件1", "条件入力画面１"},
    {"検証名表示", "検証の名前を２５文字以内で入力。"},
    {"大当り確率表示", "大当り確率を入力。２以上３０００以下"},
    {"確変倍率表示", "確変中の大当り確率の倍率を入力。普通は５から１０の間"},
    {"リッミター表示", "リミッターつきなら　はい　無しなら　いいえ。"},
    {"リッミター数表示", "ﾘﾐｯﾀｰ付きの場合、最高連荘数を入力。"},
    {"両替率表示", "その店の両替率を１００円当たりの玉数で入力。"},
    {"何日分表示", "何日分の検証をするかを入力。"},
    {"回転数表示", "対象台の1000円当りの回転数を入力。"},
    {"投資上限表示", "一日当りの投資上限を５００円単位で入力。"},
    {"再投資表示", "交換した玉を両替して再投資するかを入力。"},
}};

// --- Page 2 ------------------------------------------------------------------------------------

constexpr std::array<BoxLabel, 4> kPage2Labels{{
    {kTimeConditions[0].pageControl, kTimeConditions[0].label, ""},
    {kTimeConditions[1].pageControl, kTimeConditions[1].label, ""},
    {kTimeConditions[2].pageControl, kTimeConditions[2].label, ""},
    {"時間回転数表示", "通常時一時間当りの回転数", "回転"},
}};

constexpr std::string_view kSlotInstruction = "クリックするたびに有効な表示が変わります。";

std::vector<ControlText> page2Captions() {
    std::vector<ControlText> captions{
        {"Frame_回転時間", "一回転に要する時間"},
        {"Frame_タイムサービス", "タイムサービス中の大当りルール"},
        {kHourScaleLabel, "9  10  11  12  13  14  15  16  17  18  19  20  21  22  23  時"},
        {"Label_遊戯時間", "遊戯時間"},
        {"Label_タイムサービス", "タイムサービス"},
        {kSlotInstructionLabel,
         "　有効な四角内をクリックして遊戯時間、タイムサービスを選択してしてください。"},
        {"Label_玉増減", "確変、時短中の玉の増減はないものとします。"},
        {"Label_延長", "確変、時短中は1時間延長されます。"},
        {"Label_消費時間", "大当りの消費時間は3分で固定です。"},
        {"Command_次へ", "次へ"},
        {"Command_戻る", "戻る"},
        {"Command_キャンセル", "キャンセル"},
    };
    for (const ServiceTimeOption& option : kServiceTimeOptions) {
        captions.push_back({option.control, option.caption});
    }
    return captions;
}

std::vector<ControlText> page2Help() {
    std::vector<ControlText> help{
        {"条件T", "条件入力画面２"},
        {"回転時間", "一回転に要する秒数を入力。普通は10秒前後"},
        {"回転時間_確変", "確変中及び、時短中の一回転の所要時間を入力。"},
        {"回転時間_比率",
         "回転中時間の時間占有率。回りっぱなしの場合100％、よく止まる場合１００以下となります。"},
        {"時間回転数表示", "一時間当りの遊戯回転数を入力。"},
        {kSlotInstructionLabel, kSlotInstruction},
        {kHourScaleLabel, kSlotInstruction},
    };
    for (const ServiceTimeOption& option : kServiceTimeOptions) {
        help.push_back({option.control, option.help});
    }
    return help;
}

// --- Page 3 ------------------------------------------------------------------------------------

constexpr std::array<BoxLabel, 6> kPage3Labels{{
    {kSymbolCountCondition.pageControl, kSymbolCountCondition.label, ""},
    {"絵柄数値表示", kSymbolColumnHeadings[0], ""},
    {"確率通常表示", "確変　又は、通常絵柄", ""},
    {"時短表示", "時短絵柄なら時短数を入力", ""},
    {"ルール表示", "持玉ルール", ""},
    {"出玉表示", kSymbolColumnHeadings[4], ""},
}};

constexpr std::array<std::string_view, 4> kRuleFrames{"Frame1", "Frame2", "Frame3", "Frame4"};

std::vector<ControlText> page3Captions() {
    std::vector<ControlText> captions{
        {"Label_リスト", "リストをクリックして選択し、編集してください。"},
        {"詳細", "詳細"},
        {"Label_詳細", "各絵柄のルールの詳細"},
        {"Ok", "Ok"},
        {"戻る", "戻る"},
        {"キャンセル", "キャンセル"},
        {"完了", "完了"},
    };
    for (std::size_t group = 0; group < kRuleOptionGroups.size(); ++group) {
        captions.push_back({kRuleFrames[group], kRuleOptionGroups[group].caption});
        for (const RuleOption& option : kRuleOptionGroups[group].options) {
            captions.push_back({option.control, option.caption});
        }
    }
    return captions;
}

std::vector<ControlText> page3Help() {
    std::vector<ControlText> help{
        {"条件2", "条件入力画面３"},
        {"絵柄数表示", "絵柄数を　1から50の間で入力してください。"},
        {"絵柄数値表示", "絵柄名を５文字以内で入力。"},
        {"確率通常表示", "確変絵柄、通常絵柄　or　次まで時短かを入力。"},
        {"時短表示", "時短があれば時短数を入力。通常は０"},
        {"ルール表示", "持ち玉ルールを入力。"},
        {"出玉表示", "その絵柄の出玉数を入力。"},
    };
    for (const RuleOptionGroup& group : kRuleOptionGroups) {
        for (const RuleOption& option : group.options) {
            help.push_back({option.control, option.help});
        }
    }
    return help;
}

PageTexts makePageTexts(WizardPage page) {
    switch (page) {
    case WizardPage::条件1:
        return {"条件1", "基本条件の設定", kPage1Labels, kPage1Captions, kPage1Help};
    case WizardPage::条件T: {
        static const std::vector<ControlText> captions = page2Captions();
        static const std::vector<ControlText> help = page2Help();
        return {"条件T", "時間条件", kPage2Labels, captions, help};
    }
    case WizardPage::条件2: {
        static const std::vector<ControlText> captions = page3Captions();
        static const std::vector<ControlText> help = page3Help();
        return {"条件2", "大当り絵柄の詳細設定", kPage3Labels, captions, help};
    }
    }
    return {};
}

} // namespace

const PageTexts& pageTexts(WizardPage page) {
    static const std::array<PageTexts, 3> texts{makePageTexts(WizardPage::条件1),
                                                makePageTexts(WizardPage::条件T),
                                                makePageTexts(WizardPage::条件2)};
    return texts[static_cast<std::size_t>(page)];
}

std::optional<std::string_view> pageHelpText(WizardPage page, std::string_view control) {
    for (const ControlText& help : pageTexts(page).helpTexts) {
        if (help.control == control) {
            return help.text;
        }
    }
    return std::nullopt;
}

} // namespace zelkora
