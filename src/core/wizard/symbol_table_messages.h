#pragma once

#include "wizard/input_errors.h"

#include <string_view>

// The messages of page 3's checks.
namespace zelkora::symbol_table_messages {

inline constexpr InputError kNameTooLong{"絵柄数値名称の文字数は５文字以内です。", "入力エラー"};
inline constexpr InputError kBadKind{
    "入力文字は、確変、通常　or　次まで時短　のみ許されています.。", "確変/通常　入力エラー"};
inline constexpr InputError kBadShortTime{"時短数は0以上でなければなりません。",
                                          "時短数入力エラー"};
inline constexpr InputError kBadRule{"入力文字は、リストから選んでください.。",
                                     "ルール　入力エラー"};
inline constexpr InputError kBadPayout{"出玉数は0以上でなければなりません。", "出玉数入力エラー"};

inline constexpr std::string_view kCountTitle = "絵柄数入力エラー";
inline constexpr std::string_view kCountOutOfRange = "絵柄数は1以上、50以下でなければなりません。";
// A count such as 2.5 names no whole number of rows.
inline constexpr std::string_view kCountNotWhole =
    "絵柄数は1以上、50以下の整数でなければなりません。";

// The file keeps 時短数 and 出玉数 as 16-bit numbers; anything else could not be read back.
inline constexpr std::string_view kUnreadableShortTime =
    "時短数は-32768以上32767以下の数値でなければなりません。";
inline constexpr std::string_view kUnreadablePayout =
    "出玉数は-32768以上32767以下の数値でなければなりません。";
// Both are counts of balls or spins: "1500円" or "2.5" is no count, whatever it reads as.
inline constexpr std::string_view kShortTimeNotWhole =
    "時短数には整数を入力してください（単位や小数点は入れられません）。";
inline constexpr std::string_view kPayoutNotWhole =
    "出玉数には整数を入力してください（単位や小数点は入れられません）。";
// Digits with an optional sign: what a 時短数 or 出玉数 cell may hold. Empty counts as 0.
constexpr bool isWholeNumberText(std::string_view text) {
    std::size_t at = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (at == text.size()) {
        return text.empty();
    }
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') {
            return false;
        }
    }
    return true;
}

// A symbol's name, kind and rule share one record, where a double-byte character takes two bytes.
inline constexpr std::string_view kRecordTooLong =
    "この絵柄はファイルに保存できる長さを超えています。絵柄名、確変/通常、ルールの全角文字を減らし"
    "てください。";

} // namespace zelkora::symbol_table_messages
