#include "recipe/vocabularyfile.h"

#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/texthelpers.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

const QStringList defaultContent = {
    u"[説明]"_s,
    u"このファイルはバージョンアップの都度書き換えられます。"_s,
    u"このファイル内容を変更したい場合は作者まで連絡してください。"_s,
    u"[材料]"_s,
    u"飯/麺"_s,
    u" ゴハン"_s,
    u" 餅"_s,
    u" パン"_s,
    u" 麺"_s,
    u" 小麦粉"_s,
    u" ソバ"_s,
    u" ラーメン"_s,
    u" マカロニ"_s,
    u" スパゲッティ"_s,
    u""_s,
    u"イモ"_s,
    u" ジャガイモ"_s,
    u" サツマイモ"_s,
    u" 里芋"_s,
    u" 長芋"_s,
    u""_s,
    u"鳥"_s,
    u" 鶏"_s,
    u" 鳥もも肉"_s,
    u" 鳥胸肉"_s,
    u" 鳥挽肉"_s,
    u""_s,
    u"肉"_s,
    u" 豚"_s,
    u" 豚コマ"_s,
    u" 豚挽肉"_s,
    u" 牛"_s,
    u" 牛コマ"_s,
    u" 牛挽肉"_s,
    u" 合挽肉"_s,
    u" ハム/ソーセージ"_s,
    u" レバー"_s,
    u""_s,
    u"魚貝類"_s,
    u" アジ"_s,
    u" イワシ"_s,
    u" ウナギ"_s,
    u" カツオ"_s,
    u" サケ"_s,
    u" サバ"_s,
    u" サンマ"_s,
    u" ホッケ"_s,
    u" マグロ"_s,
    u" メザシ"_s,
    u" 白身魚"_s,
    u" 貝"_s,
    u" タコ"_s,
    u" イカ"_s,
    u" エビ"_s,
    u" カキ"_s,
    u" カニ"_s,
    u" 魚加工"_s,
    u""_s,
    u"卵"_s,
    u"豆/豆腐"_s,
    u" 納豆"_s,
    u" 豆腐"_s,
    u" アゲ"_s,
    u" 豆"_s,
    u""_s,
    u"乳製品"_s,
    u" 牛乳"_s,
    u" ヨーグルト"_s,
    u" チーズ"_s,
    u" バター"_s,
    u" マーガリン"_s,
    u""_s,
    u"野菜"_s,
    u" カボチャ"_s,
    u" キュウリ"_s,
    u" ゴボウ"_s,
    u" タケノコ"_s,
    u" タマネギ"_s,
    u" ナス"_s,
    u" ニンジン"_s,
    u" トマト"_s,
    u" ピーマン"_s,
    u" ミックスベジタブル"_s,
    u" レンコン"_s,
    u" 大根"_s,
    u" 冬瓜"_s,
    u""_s,
    u"葉野菜"_s,
    u" ネギ"_s,
    u" 白菜"_s,
    u" ホウレン草"_s,
    u" モヤシ"_s,
    u" キャベツ　"_s,
    u" レタス"_s,
    u""_s,
    u"果物"_s,
    u" ブドウ"_s,
    u" 柑橘類"_s,
    u" リンゴ"_s,
    u" イチゴ"_s,
    u" バナナ"_s,
    u""_s,
    u"菓子"_s,
    u" アンコ"_s,
    u" コーヒー"_s,
    u" ジャム"_s,
    u" チョコ"_s,
    u" 紅茶"_s,
    u" 蜂蜜"_s,
    u""_s,
    u"海草"_s,
    u" ワカメ"_s,
    u" ヒジキ"_s,
    u" 海苔"_s,
    u" 昆布"_s,
    u""_s,
    u"キノコ"_s,
    u" エノキ"_s,
    u" シイタケ"_s,
    u" マイタケ"_s,
    u" マツタケ"_s,
    u" シメジ"_s,
    u" マッシュルーム"_s,
    u""_s,
    u"酒"_s,
    u" ウイスキー"_s,
    u" ウオッカ"_s,
    u" ビール"_s,
    u" ワイン"_s,
    u" 焼酎"_s,
    u" 日本酒"_s,
    u""_s,
    u"その他"_s,
    u""_s,
    u"[目的]"_s,
    u"ご飯/麺"_s,
    u"主菜"_s,
    u"副菜"_s,
    u"朝食"_s,
    u"軽食"_s,
    u"鍋"_s,
    u"弁当"_s,
    u"漬物"_s,
    u"スープ"_s,
    u"サラダ"_s,
    u"ドレッシング"_s,
    u"ソース"_s,
    u"おやつ/デザート"_s,
    u"飲み物"_s,
    u"酒"_s,
    u""_s,
    u"[国籍]"_s,
    u"和風"_s,
    u"洋風"_s,
    u"中華"_s,
    u"韓国"_s,
    u"フレンチ"_s,
    u"イタリア"_s,
    u"アジアン"_s,
    u"その他"_s,
    u""_s,
    u"[味]"_s,
    u"カレー"_s,
    u"味噌"_s,
    u"マヨネーズ"_s,
    u"トマト"_s,
    u"クリーム"_s,
    u"ソース"_s,
    u"梅"_s,
    u"キムチ"_s,
    u"バター"_s,
    u"わさび"_s,
    u"ゴマ"_s,
    u"コショウ"_s,
    u"マスタード"_s,
    u"塩"_s,
    u"酢"_s,
    u"醤油"_s,
    u"甘い"_s,
    u"辛い"_s,
    u"苦い"_s,
    u""_s,
    u"[作者]"_s,
    u"自分"_s,
    u"夫"_s,
    u"妻"_s,
    u"母"_s,
    u"祖母"_s,
    u"[COST]"_s,
    u"格安"_s,
    u"普通"_s,
    u"リッチ"_s,
    u"[手間]"_s,
    u"超簡単"_s,
    u"簡単"_s,
    u"普通"_s,
    u"本格的"_s,
    u"[人気]"_s,
    u"1:絶対おすすめ"_s,
    u"2:おすすめ"_s,
    u"3:普通"_s,
    u"4:好き嫌いあり"_s,
    u"5:要改善"_s,
    u"[KEY]"_s,
    u"お弁当"_s,
    u"酒の肴"_s,
    u"プロの味"_s,
    u"アウトドア"_s,
    u"おもてなし"_s,
    u"料理の基本"_s,
    u"かんたん料理"_s,
    u"せつやく料理"_s,
    u"ダイエット食"_s,
    u"離乳食"_s,
    u"糖尿病食"_s,
    u"減塩食"_s,
};

} // namespace

void selectOrAddItem(const QString &value, ChoiceList &list)
{
    const QString wanted = TextHelpers::trimBlanks(value);
    list.select(0);
    for (int i = 0; i < list.items.size(); ++i) {
        if (TextHelpers::trimBlanks(list.items.at(i)) == wanted) {
            list.select(i);
            return;
        }
    }
    list.items.append(wanted);
    list.select(int(list.items.size()) - 1);
}

namespace VocabularyFile {

const QString fileName = u"qvrecipe.txt"_s;
const QString materials = u"[材料]"_s;
const QString allFilter = u"全て"_s;

QByteArray defaultBytes()
{
    QByteArray bytes;
    for (const QString &line : defaultContent) {
        bytes += Cp932::encodeLossy(line);
        bytes += "\r\n";
    }
    return bytes;
}

QString writeVocabularyFile(const QString &path)
{
    const TextFile::WriteResult r = TextFile::writeAtomically(path, defaultBytes());
    if (r.status == TextFile::WriteResult::Saved)
        return {};
    const QString name = QDir::toNativeSeparators(path);
    return (r.saved() ? u"ファイル[%1]に書き込みましたが、ディスクがエラーを報告しました。\r\n"_s
                      : u"ファイル[%1]に書き込めませんでした。\r\n"_s)
               .arg(name) +
           r.errorText;
}

QStringList readVocabularySection(const QString &path, const QString &section,
                                  const QString &filter)
{
    QStringList result;
    const TextFile::ReadResult file = TextFile::readLines(path);
    if (file.error != TextFile::Error::None)
        return result;
    const bool isMaterials = section == materials;
    bool entered = false;
    bool filterFound = false;
    for (const QByteArray &raw : file.lines) {
        QString line = Cp932::decode(raw);
        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0)
            line.truncate(comma);
        // Blanks only: an entry may end in an ideographic space.
        while (line.endsWith(u' '))
            line.chop(1);
        if (line.startsWith(u'[')) {
            if (entered)
                break;
            entered = line == section;
            continue;
        }
        if (line.isEmpty() || !entered)
            continue;
        if (!isMaterials || filter == allFilter) {
            result.append(line);
        } else if (filter.isEmpty()) {
            if (!line.startsWith(u' '))
                result.append(line);
        } else if (!filterFound) {
            filterFound = line == filter;
        } else {
            if (!line.startsWith(u' '))
                break;
            result.append(line);
        }
    }
    return result;
}

void fillVocabularyLists(const QString &path, const QHash<QString, ChoiceList *> &lists)
{
    static const std::pair<const char16_t *, const char16_t *> pairs[] = {
        {u"cmb_mokuteki", u"[目的]"}, {u"cmb_kokuseki", u"[国籍]"}, {u"cmb_cost", u"[COST]"},
        {u"cmb_tema", u"[手間]"},     {u"cmb_key", u"[KEY]"},       {u"cmb_name", u"[作者]"},
    };
    for (const auto &[control, section] : pairs) {
        ChoiceList *list = lists.value(QString::fromUtf16(control));
        if (!list)
            continue;
        list->items.append(QString());
        list->items.append(readVocabularySection(path, QString::fromUtf16(section), QString()));
        list->select(0);
    }
}

} // namespace VocabularyFile
