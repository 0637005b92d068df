#include "messages/error_messages.h"

#include "files/utf8_path.h"
#include "model/main_window_model.h"

#include <array>
#include <utility>

namespace zelkora {
namespace {

constexpr std::string_view kRunErrorTitle = "検証エラー";
constexpr std::string_view kCheckTitle = "確認";

struct Reason {
    std::error_code code;
    std::string_view text;
};

// What the system said, or why the program refused a file itself, in the user's words.
const std::array<Reason, 21>& reasons() {
    using std::errc;
    static const std::array<Reason, 21> kReasons{{
        {make_error_code(FileRefusal::NotRegularFile), "通常のファイルではありません。"},
        {make_error_code(FileRefusal::LargerThanVerification),
         "検証ファイルとしては大きすぎます。"},
        {make_error_code(FileRefusal::ReadOnlyFile), "読み取り専用のファイルです。"},
        {make_error_code(errc::no_space_on_device), "ディスクの空き容量が足りません。"},
        {make_error_code(errc::file_too_large), "ファイルが大きすぎます。"},
        {make_error_code(errc::permission_denied), "アクセスが許可されていません。"},
        {make_error_code(errc::operation_not_permitted), "アクセスが許可されていません。"},
        {make_error_code(errc::read_only_file_system), "読み取り専用の場所です。"},
        {make_error_code(errc::no_such_file_or_directory),
         "ファイルまたはフォルダが見つかりません。"},
        {make_error_code(errc::too_many_symbolic_link_levels),
         "シンボリックリンクが循環しています。"},
        {make_error_code(errc::is_a_directory), "ファイルではなくフォルダです。"},
        {make_error_code(errc::not_a_directory), "フォルダの名前がファイルに使われています。"},
        {make_error_code(errc::file_exists), "同じ名前のファイルがあります。"},
        {make_error_code(errc::filename_too_long), "パスが長すぎます。"},
        {make_error_code(errc::too_many_files_open), "開いているファイルが多すぎます。"},
        {make_error_code(errc::too_many_files_open_in_system), "開いているファイルが多すぎます。"},
        {make_error_code(errc::not_enough_memory), "メモリが足りません。"},
        {make_error_code(errc::resource_unavailable_try_again), "システムの資源が足りません。"},
        {make_error_code(errc::device_or_resource_busy), "ファイルが使用中です。"},
        {make_error_code(errc::text_file_busy), "ファイルが使用中です。"},
        {make_error_code(errc::io_error), "ディスクの読み書きに失敗しました。"},
    }};
    return kReasons;
}

// Any other system error is still told, by its number, rather than passed over in silence.
std::string systemReason(std::error_code system) {
    if (!system) {
        return {};
    }
    for (const Reason& reason : reasons()) {
        if (system.default_error_condition() == reason.code.default_error_condition()) {
            return std::string(reason.text);
        }
    }
    return "システムエラーです（番号 " + std::to_string(system.value()) + "）。";
}

// Japanese runs on without spaces; a file name or a number is set off from it by one.
std::string join(std::string_view first, std::string_view second) {
    std::string text(first);
    const bool asciiEnd =
        !text.empty() && static_cast<unsigned char>(text.back()) < 0x80 && text.back() != ' ';
    if (asciiEnd && !second.empty() && static_cast<unsigned char>(second.front()) >= 0x80) {
        text += ' ';
    }
    text += second;
    return text;
}

// The working copy is the program's own file, which the user knows by what it is; any other file
// by its name.
std::string fileLabel(const Error& error) {
    if (error.path.filename() == kWorkingCopyName) {
        return "作業ファイル";
    }
    return "ファイル " + utf8FromPath(error.path);
}

// "ファイル X の記録 R", "ファイル X", "記録 R" or nothing, as far as the error knows.
std::string place(const Error& error) {
    std::string text;
    if (!error.path.empty()) {
        text = fileLabel(error);
    }
    if (error.record > 0) {
        text = join(text, (text.empty() ? "記録 " : "の記録 ") + std::to_string(error.record));
    }
    return text;
}

// "X の C 列目「T」": where a column's text was found.
std::string columnPlace(const Error& error) {
    std::string text = place(error);
    if (error.column > 0) {
        text = join(text, (text.empty() ? "" : "の ") + std::to_string(error.column) + " 列目");
    }
    return join(text, "「" + error.text + "」");
}

std::string fileText(const Error& error, std::string_view what) {
    return join(fileLabel(error), what) + systemReason(error.system);
}

// A file as a whole refused what was asked of it.
bool isFileError(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::FileMissing:
    case ErrorKind::CannotOpen:
    case ErrorKind::CannotRead:
    case ErrorKind::CannotWrite:
    case ErrorKind::CannotCopy:
    case ErrorKind::CannotReplace:
    case ErrorKind::CannotRemove:
        return true;
    default:
        return false;
    }
}

// Why a run cannot start, ending in its own "ため": a noun takes "のため", a verb or an adjective
// ("ない", "すぎる") takes "ため" alone.
std::string refusalReason(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::NoPlayedSlot:
        return "プレイする時間帯が１つもないため";
    case ErrorKind::SpinsPerThousandNotPositive:
        return "回転数/1000円が0以下のため";
    case ErrorKind::ExchangeRateNotPositive:
        return "両替率が0以下のため";
    case ErrorKind::TimeRatioNotPositive:
        return "回転の時間比率が0以下のため";
    case ErrorKind::NegativeSpinTime:
        return "一回転に要する時間が負のため";
    case ErrorKind::SymbolCountNotWhole:
        return "絵柄数が1から50の整数でないため";
    case ErrorKind::DailyCapTooLarge:
        return "投資上限/日が大きすぎるため";
    case ErrorKind::EndlessNextHitShortTime:
        return "次まで時短を終わらせる通常・確変の絵柄がないため";
    default:
        return {};
    }
}

std::string recordText(const Error& error) {
    switch (error.kind) {
    case ErrorKind::BadRecordNumber:
        return join(place(error), "は扱えない番号です。");
    case ErrorKind::RecordMissing:
        return join(place(error), "がありません。ファイルが途中で切れています。");
    case ErrorKind::RecordDamaged:
        return join(place(error), "が壊れています。");
    case ErrorKind::TextTooLong:
        return join(place(error), "に収まらない長さの文字列です。");
    case ErrorKind::Unencodable:
        return "文字「" + error.text + "」はファイルに保存できません。";
    case ErrorKind::MalformedText:
        return "文字列が壊れています。";
    case ErrorKind::NotANumber:
        return join(columnPlace(error), "は数値ではありません。");
    case ErrorKind::NumberOutOfRange:
        return join(columnPlace(error), "は扱える範囲を超えた数値です。");
    default:
        return {};
    }
}

std::string figureText(const Error& error) {
    switch (error.kind) {
    case ErrorKind::NoConditions:
        return join(fileLabel(error), "には検証の条件がありません。");
    case ErrorKind::BadSymbolCount:
        return join(place(error),
                    "の絵柄数「" + error.text + "」は 1 から 99 までの整数でなければなりません。");
    case ErrorKind::UnknownSymbol:
        return "当り絵柄「" + error.text + "」が絵柄データにありません。";
    case ErrorKind::Overflow:
        return "オーバーフローしました（" + error.text + "）。";
    case ErrorKind::DivisionByZero:
        return "0 で除算しようとしました（" + error.text + "）。";
    case ErrorKind::SymbolOutOfRange:
        return "絵柄の番号 " + std::to_string(error.number) + " が絵柄数の範囲を超えています。";
    case ErrorKind::StreakLimit:
        return "連荘数が上限を超えました。";
    case ErrorKind::DayLimit:
        return "日数が上限を超えました。";
    case ErrorKind::ResultRecordLimit:
        return "結果レコードの数が上限に達しました。それまでの結果は保存されています。";
    case ErrorKind::NeverHits:
        return "当りが出ない条件のため、理論値を計算できません。";
    case ErrorKind::EndlessStreak:
        return "連荘が終わらない条件のため、理論値を計算できません。";
    case ErrorKind::TheoryTooLarge:
        return "条件が大きすぎるため、理論値を計算できません。";
    case ErrorKind::OutOfMemory:
        return "メモリが足りません。";
    case ErrorKind::ThreadNotStarted:
        return "計算用のスレッドを開始できませんでした。" + systemReason(error.system);
    default:
        return "予期しないエラーが発生しました。" + systemReason(error.system);
    }
}

Message failure(std::string text, std::string_view title) {
    return {std::move(text), std::string(title), MessageIcon::Critical, MessageButtons::Ok};
}

} // namespace

std::string errorText(const Error& error) {
    switch (error.kind) {
    case ErrorKind::FileMissing:
        return join(fileLabel(error), "がありません。");
    case ErrorKind::CannotOpen:
        return fileText(error, "を開けません。");
    case ErrorKind::CannotRead:
        return fileText(error, "を読めません。");
    case ErrorKind::CannotWrite:
        return fileText(error, "に書き込めません。");
    case ErrorKind::CannotCopy:
        return fileText(error, "をコピーできません。");
    case ErrorKind::CannotReplace:
        return fileText(error, "を新しい内容に置き換えられません。");
    case ErrorKind::CannotRemove:
        return fileText(error, "を削除できません。");
    case ErrorKind::ConverterUnavailable:
        return "文字コードの変換表を読み込めません。";
    default:
        break;
    }
    if (std::string text = recordText(error); !text.empty()) {
        return text;
    }
    if (std::string reason = refusalReason(error.kind); !reason.empty()) {
        return reason + "、検証を開始できません。条件を確認してください。";
    }
    // A fault in the figures while a stored record was replayed names that record first.
    const std::string where = place(error);
    const bool placed = error.kind == ErrorKind::NoConditions ||
                        error.kind == ErrorKind::BadSymbolCount || where.empty();
    return placed ? figureText(error) : where + "：" + figureText(error);
}

Message runNotStartedMessage(const Error& error) {
    std::string text = errorText(error);
    if (refusalReason(error.kind).empty()) {
        text += "検証を開始できませんでした。作業ファイルは変更されていません。";
    }
    return failure(std::move(text), kRunErrorTitle);
}

Message runFailedMessage(const Error& error, std::int32_t resultsHeld) {
    std::string text = errorText(error);
    // A file that refused a write may have lost records with it; the user learns how many
    // were kept.
    if (isFileError(error.kind)) {
        text +=
            "作業ファイルに記録できた大当りデータは " + std::to_string(resultsHeld) + " 件です。";
    }
    return failure(text + "検証を終了しました。", kRunErrorTitle);
}

Message rebuildFailedMessage(const Error& error) {
    return failure("大当りデータを最後まで読み込めませんでした。" + errorText(error) +
                       "　ここまでの検証データを表示しています。",
                   kCheckTitle);
}

Message loadFailedMessage(std::string_view file, const Error& error) {
    return failure("ファイル " + std::string(file) + " を読み込めませんでした。" + errorText(error),
                   kCheckTitle);
}

std::string failureReason(const Error& error) {
    return systemReason(error.system);
}

std::string failureDetail(std::string_view file, const Error& error) {
    if (error.path.empty() || error.path == pathFromUtf8(file)) {
        return failureReason(error);
    }
    return errorText(error);
}

std::string openFailedText(std::string_view file, const Error& error) {
    return "ファイル " + std::string(file) + " を開けませんでした。" + failureDetail(file, error);
}

std::string saveFailedText(std::string_view file, const Error& error) {
    return "ファイル " + std::string(file) + " に保存できませんでした。" +
           failureDetail(file, error) + "保存先にあったファイルはそのままです。";
}

std::string workingFolderFailedText(const Error& error) {
    return "一時フォルダ " + utf8FromPath(error.path) + " に作業用のフォルダを作れません。" +
           failureReason(error);
}

Message openFailedMessage(std::string_view file, const Error& error) {
    return failure(openFailedText(file, error) + "編集中の検証はそのままです。", kCheckTitle);
}

Message saveFailedMessage(std::string_view file, const Error& error) {
    return failure(saveFailedText(file, error), kCheckTitle);
}

Message conditionsNotWrittenMessage(std::string_view file, const Error& error) {
    std::string reason = error.system ? systemReason(error.system) : errorText(error);
    return failure("作業ファイル " + std::string(file) + " に条件を書き込めませんでした。" +
                       reason + "条件は変更されていません。",
                   kCheckTitle);
}

} // namespace zelkora
