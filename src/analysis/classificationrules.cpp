// Generated from the keyword lists; keep contents and order.
#include "analysis/classificationrules.h"

const std::array<DishGenreRule, 40> DishGenreRules = {{
    // 1
    {{u"ラザニア"}, DishGenreRule::Tail::None, {}, u"ご飯/麺", u"洋風", nullptr, nullptr},
    // 2
    {{u"ピザ"}, DishGenreRule::Tail::None, {}, u"ご飯/麺", u"洋風", nullptr, nullptr},
    // 3
    {{u"御飯", u"ごはん", u"ライス", u"ご飯", u"めし", u"おにぎり"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     nullptr},
    // 4
    {{u"丼", u"粥", u"雑炊", u"リゾット", u"ちらし", u"寿司"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     nullptr},
    // 5
    {{u"炒飯", u"チャーハン", u"ピラフ"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     nullptr},
    // 6
    {{u"そば", u"ソバ", u"蕎麦"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     u"ソバ"},
    // 7
    {{u"スパゲティ", u"パスタ", u"スパゲッティ"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     u"スパゲッティ"},
    // 8
    {{u"ラーメン", u"マカロニ", u"きしめん", u"麺"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     nullptr},
    // 9
    {{u"うどん", u"う ど ん"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     u"和風",
     u"飯/麺",
     u"ウドン"},
    // 10
    {{u"冷し中華", u"冷やし中華"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     u"中華",
     u"飯/麺",
     nullptr},
    // 11
    {{u"ソーメン", u"そうめん"},
     DishGenreRule::Tail::None,
     {},
     u"ご飯/麺",
     nullptr,
     u"飯/麺",
     u"ソウメン"},
    // 12
    {{u"あんかけ"}, DishGenreRule::Tail::None, {}, u"ご飯/麺", nullptr, u"飯/麺", nullptr},
    // 13
    {{u"マリネ", u"サラダ", u"カルパッチョ"},
     DishGenreRule::Tail::None,
     {},
     u"サラダ",
     nullptr,
     nullptr,
     nullptr},
    // 14
    {{u"ステーキ", u"ハンバーグ"}, DishGenreRule::Tail::None, {}, u"主菜", nullptr, u"肉", nullptr},
    // 15
    {{u"ソーセージ"}, DishGenreRule::Tail::None, {}, u"主菜", nullptr, nullptr, nullptr},
    // 16
    {{u"天麩羅", u"天ぷら", u"天婦羅", u"テンプラ", u"かきあげ"},
     DishGenreRule::Tail::None,
     {},
     u"主菜",
     nullptr,
     nullptr,
     nullptr},
    // 17
    {{u"ボルシチ", u"シチュー", u"コロッケ", u"グラタン"},
     DishGenreRule::Tail::None,
     {},
     u"主菜",
     nullptr,
     nullptr,
     nullptr},
    // 18
    {{u"とんかつ"}, DishGenreRule::Tail::Equals, u"カツ", u"主菜", nullptr, nullptr, nullptr},
    // 19
    {{u"オムレツ"}, DishGenreRule::Tail::None, {}, u"主菜", u"洋風", nullptr, nullptr},
    // 20
    {{u"燻製"}, DishGenreRule::Tail::None, {}, u"副菜", nullptr, nullptr, nullptr},
    // 21
    {{u"ソテー", u"揚げ", u"からあげ"},
     DishGenreRule::Tail::None,
     {},
     u"主菜",
     nullptr,
     nullptr,
     nullptr},
    // 22
    {{u"鍋", u"なべ"}, DishGenreRule::Tail::None, {}, u"鍋", nullptr, nullptr, nullptr},
    // 23
    {{u"汁", u"スープ", u"吸い物", u"おすまし", u"ポタージュ"},
     DishGenreRule::Tail::None,
     {},
     u"スープ",
     nullptr,
     nullptr,
     nullptr},
    // 24
    {{u"ドレッシング"}, DishGenreRule::Tail::None, {}, u"ドレッシング", nullptr, nullptr, nullptr},
    // 25
    {{u"茶わんむし", u"蒸し"}, DishGenreRule::Tail::None, {}, u"副菜", nullptr, nullptr, nullptr},
    // 26
    {{u"浸し", u"おひたし", u"おしたし", u"酢の物", u"冷奴"},
     DishGenreRule::Tail::None,
     {},
     u"副菜",
     nullptr,
     nullptr,
     nullptr},
    // 27
    {{u"春巻き", u"シュウマイ", u"餃子", u"ギョウザ"},
     DishGenreRule::Tail::None,
     {},
     u"副菜",
     u"中華",
     nullptr,
     nullptr},
    // 28
    {{u"鉢", u"酢の物", u"和え", u"きんぴら", u"おかか", u"あえもの", u"お浸し"},
     DishGenreRule::Tail::Within,
     u"あえ,ぬた,漬け",
     u"副菜",
     nullptr,
     nullptr,
     nullptr},
    // 29
    {{u"漬け", u"漬物", u"ピクルス"},
     DishGenreRule::Tail::None,
     {},
     u"漬物",
     nullptr,
     nullptr,
     nullptr},
    // 30
    {{u"佃煮"}, DishGenreRule::Tail::None, {}, u"副菜", nullptr, nullptr, nullptr},
    // 31
    {{u"サンド"}, DishGenreRule::Tail::None, {}, u"朝食", nullptr, nullptr, nullptr},
    // 32
    {{u"ソース"}, DishGenreRule::Tail::None, {}, u"ソース", nullptr, nullptr, nullptr},
    // 33
    {{u"くずきり",   u"くず切り",   u"羊羹",     u"ようかん",     u"ヨウカン",     u"クッキー",
      u"ビスケット", u"スコーン",   u"クレープ", u"ドーナツ",     u"ワッフル",     u"ティラミス",
      u"マフィン",   u"シフォン",   u"ケーキ",   u"カステラ",     u"蒸しパン",     u"デザート",
      u"菓子",       u"ジェラート", u"パフェ",   u"アイス",       u"シャーベット", u"プディング",
      u"プリン",     u"タルト",     u"ゼリー",   u"ミルフィーユ", u"ババロア",     u"ムース",
      u"しるこ",     u"みつ豆",     u"あんみつ", u"蜜豆",         u"かんてん",     u"寒天",
      u"シロップ",   u"わらびもち"},
     DishGenreRule::Tail::None,
     {},
     u"おやつ/デザート",
     nullptr,
     nullptr,
     nullptr},
    // 34
    {{u"ジュース", u"ドリンク", u"ソーダ"},
     DishGenreRule::Tail::None,
     {},
     u"飲み物",
     nullptr,
     nullptr,
     nullptr},
    // 35
    {{u"シェイク", u"酒", u"カクテル", u"サワー", u"パンチ"},
     DishGenreRule::Tail::None,
     {},
     u"酒",
     nullptr,
     nullptr,
     nullptr},
    // 36
    {{u"たたき"}, DishGenreRule::Tail::None, {}, u"副菜", u"和風", nullptr, nullptr},
    // 37
    {{u"巻き"}, DishGenreRule::Tail::None, {}, u"副菜", nullptr, nullptr, nullptr},
    // 38
    {{u"炒", u"焼", u"煮"}, DishGenreRule::Tail::None, {}, u"主菜", nullptr, nullptr, nullptr},
    // 39
    {{u"弁当"}, DishGenreRule::Tail::None, {}, u"弁当", nullptr, nullptr, nullptr},
    // 40
    {{u"おつまみ"}, DishGenreRule::Tail::None, {}, u"副菜", nullptr, nullptr, nullptr},
}};

const std::array<MainIngredientRule, 48> MainIngredientRules = {{
    // 1
    {{u"牛乳", u"ミルク"}, false, u"乳製品", u"牛乳"},
    // 2
    {{u"牛"}, false, u"肉", u"牛"},
    // 3
    {{u"豚", u"ブタ", u"ポーク", u"とんかつ", u"トンカツ"}, false, u"肉", u"ブタ"},
    // 4
    {{u"ソーセージ"}, false, u"肉", u"ソーセージ"},
    // 5
    {{u"鳥", u"チキン", u"手羽", u"鶏"}, false, u"鳥", nullptr},
    // 6
    {{u"サンマ", u"秋刀魚", u"さんま"}, false, u"魚", u"サンマ"},
    // 7
    {{u"たこ", u"タコ"}, false, u"魚貝類", u"タコ"},
    // 8
    {{u"えび", u"エビ", u"海老"}, false, u"魚貝類", u"エビ"},
    // 9
    {{u"ホタテ"}, false, u"魚貝類", u"ホタテ"},
    // 10
    {{u"あさり"}, false, u"魚貝類", u"アサリ"},
    // 11
    {{u"牡蠣", u"カキ"}, false, u"魚貝類", u"カキ"},
    // 12
    {{u"いか", u"イカ"}, false, u"魚貝類", u"イカ"},
    // 13
    {{u"カツオ", u"かつお"}, false, u"魚", u"カツオ"},
    // 14
    {{u"まぐろ", u"マグロ"}, false, u"魚", u"マグロ"},
    // 15
    {{u"しゃけ", u"サーモン", u"鮭", u"さけ"}, false, u"魚", u"サケ"},
    // 16
    {{u"白身魚", u"白身の魚"}, false, u"魚", u"白身魚"},
    // 17
    {{u"うなぎ", u"ウナギ", u"鰻"}, false, u"魚", u"ウナギ"},
    // 18
    {{u"かぼちゃ", u"カボチャ", u"パンプキン"}, false, u"野菜", u"カボチャ"},
    // 19
    {{u"キャベツ"}, false, u"葉野菜", u"キャベツ"},
    // 20
    {{u"白菜", u"はくさい"}, false, u"葉野菜", u"ハクサイ"},
    // 21
    {{u"もやし"}, false, u"葉野菜", u"モヤシ"},
    // 22
    {{u"なす", u"ナス", u"茄子"}, false, u"野菜", u"ナス"},
    // 23
    {{u"トマト", u"とまと"}, false, u"野菜", u"トマト"},
    // 24
    {{u"ブロッコリ"}, false, u"野菜", u"ブロッコリ"},
    // 25
    {{u"アスパラ"}, false, u"野菜", u"アスパラ"},
    // 26
    {{u"オクラ", u"おくら"}, false, u"野菜", u"オクラ"},
    // 27
    {{u"コーン", u"とうもろこし", u"トウモロコシ"}, false, u"野菜", u"トウモロコシ"},
    // 28
    {{u"にんじん", u"ニンジン", u"人参"}, false, u"野菜", u"ニンジン"},
    // 29
    {{u"きゅうり", u"キュウリ"}, false, u"野菜", u"キュウリ"},
    // 30
    {{u"とうがん", u"冬瓜"}, false, u"野菜", u"冬瓜"},
    // 31
    {{u"ほうれん", u"ホウレン"}, false, u"葉野菜", u"ホウレン草"},
    // 32
    {{u"大根", u"ダイコン", u"だいこん"}, false, u"野菜", u"大根"},
    // 33
    {{u"かぶ", u"カブ"}, false, u"野菜", u"カブ"},
    // 34
    {{u"肉"}, false, u"肉", nullptr},
    // 35
    {{u"りんご酢"}, true, nullptr, nullptr},
    // 36
    {{u"りんご", u"アップル"}, false, u"果物", u"リンゴ"},
    // 37
    {{u"バナナ"}, false, u"果物", u"バナナ"},
    // 38
    {{u"イチゴ", u"いちご", u"苺", u"ストロベリー"}, false, u"果物", u"イチゴ"},
    // 39
    {{u"ジャム"}, false, u"菓子", u"ジャム"},
    // 40
    {{u"チョコ"}, false, u"菓子", u"チョコ"},
    // 41
    {{u"ポテト", u"じゃが", u"ジャガ"}, false, u"イモ", u"ジャガイモ"},
    // 42
    {{u"いも", u"イモ"}, false, u"イモ", u"イモ"},
    // 43
    {{u"しいたけ"}, false, u"キノコ", u"シイタケ"},
    // 44
    {{u"きのこ"}, false, u"キノコ", nullptr},
    // 45
    {{u"豆腐", u"とうふ"}, false, u"豆", u"豆腐"},
    // 46
    {{u"納豆", u"なっとう"}, false, u"豆", u"納豆"},
    // 47
    {{u"ツナ"}, false, u"魚加工", u"ツナ"},
    // 48
    {{u"にんにく", u"ニンニク", u"大蒜", u"葫"}, false, u"野菜", u"ニンニク"},
}};

// Tried after the rules above: the items of the default vocabulary those
// rules do not reach, so that a text naming one lands in its category.
// Longer words come before the shorter ones inside them (玉ねぎ before ねぎ,
// たらこ before タラ).
const std::vector<MainIngredientRule> ExtraMainIngredientRules = {
    {{u"玉ねぎ", u"玉葱", u"たまねぎ", u"タマネギ", u"オニオン"}, false, u"野菜", u"タマネギ"},
    {{u"さば", u"サバ", u"鯖"}, false, u"魚", u"サバ"},
    {{u"アジ", u"鯵"}, false, u"魚", u"アジ"},
    {{u"いわし", u"イワシ", u"鰯"}, false, u"魚", u"イワシ"},
    {{u"たらこ", u"タラコ", u"明太子", u"めんたいこ"}, false, u"魚加工", u"タラコ"},
    {{u"ぶり", u"ブリ", u"鰤", u"タラ", u"鱈", u"さわら", u"鰆", u"かじき", u"カジキ"},
     false,
     u"魚",
     nullptr},
    {{u"ほっけ", u"ホッケ"}, false, u"魚", u"ホッケ"},
    {{u"めざし", u"メザシ"}, false, u"魚", u"メザシ"},
    {{u"カニ", u"蟹", u"かに缶", u"かにかま"}, false, u"魚貝類", u"カニ"},
    {{u"しじみ", u"シジミ", u"はまぐり", u"ハマグリ", u"貝"}, false, u"魚貝類", u"貝"},
    {{u"ちくわ", u"竹輪", u"チクワ"}, false, u"魚加工", u"チクワ"},
    {{u"はんぺん", u"ハンペン", u"かまぼこ", u"さつま揚げ"}, false, u"魚加工", u"ハンペン"},
    {{u"卵", u"たまご", u"玉子", u"タマゴ"}, false, u"卵", nullptr},
    {{u"ひじき", u"ヒジキ"}, false, u"海草", u"ヒジキ"},
    {{u"わかめ", u"ワカメ"}, false, u"海草", u"ワカメ"},
    {{u"海苔", u"焼きのり", u"焼のり"}, false, u"海草", u"海苔"},
    {{u"昆布", u"こんぶ", u"コンブ"}, false, u"海草", u"昆布"},
    {{u"もずく", u"めかぶ", u"海藻"}, false, u"海草", nullptr},
    {{u"ねぎ", u"ネギ", u"葱"}, false, u"葉野菜", u"ネギ"},
    {{u"レタス"}, false, u"葉野菜", u"レタス"},
    {{u"小松菜", u"こまつな", u"チンゲン菜", u"青梗菜", u"水菜", u"春菊", u"菜の花", u"菜花",
      u"ニラ", u"にら", u"韮", u"モロヘイヤ", u"空心菜"},
     false,
     u"葉野菜",
     nullptr},
    {{u"ごぼう", u"ゴボウ"}, false, u"野菜", u"ゴボウ"},
    {{u"れんこん", u"レンコン", u"蓮根"}, false, u"野菜", u"レンコン"},
    {{u"たけのこ", u"タケノコ", u"筍", u"竹の子"}, false, u"野菜", u"タケノコ"},
    {{u"ピーマン"}, false, u"野菜", u"ピーマン"},
    {{u"ミックスベジタブル"}, false, u"野菜", u"ミックスベジタブル"},
    {{u"里芋"}, false, u"イモ", u"里芋"},
    {{u"さつま芋", u"薩摩芋"}, false, u"イモ", u"サツマイモ"},
    {{u"長芋", u"山芋"}, false, u"イモ", u"長芋"},
    {{u"えのき", u"エノキ"}, false, u"キノコ", u"エノキ"},
    {{u"しめじ", u"シメジ"}, false, u"キノコ", u"シメジ"},
    {{u"まいたけ", u"舞茸", u"マイタケ"}, false, u"キノコ", u"マイタケ"},
    {{u"まつたけ", u"松茸", u"マツタケ"}, false, u"キノコ", u"マツタケ"},
    {{u"椎茸", u"シイタケ"}, false, u"キノコ", u"シイタケ"},
    {{u"マッシュルーム"}, false, u"キノコ", u"マッシュルーム"},
    {{u"エリンギ", u"なめこ", u"きくらげ"}, false, u"キノコ", nullptr},
    {{u"ヨーグルト"}, false, u"乳製品", u"ヨーグルト"},
    {{u"チーズ"}, false, u"乳製品", u"チーズ"},
    {{u"油揚げ", u"厚揚げ", u"油あげ", u"生揚げ", u"がんもどき"}, false, u"豆", u"アゲ"},
    {{u"大豆", u"ひよこ豆", u"黒豆", u"おから", u"豆乳"}, false, u"豆", u"豆"},
    {{u"ハム"}, false, u"肉", u"ハム"},
    {{u"レバー"}, false, u"肉", u"レバー"},
    {{u"ベーコン"}, false, u"肉", nullptr},
    {{u"スパゲッティ", u"スパゲティ", u"パスタ"}, false, u"飯/麺", u"スパゲッティ"},
    {{u"マカロニ"}, false, u"飯/麺", u"マカロニ"},
    {{u"ラーメン", u"中華麺"}, false, u"飯/麺", u"ラーメン"},
    {{u"そば", u"蕎麦"}, false, u"飯/麺", u"ソバ"},
    {{u"うどん", u"そうめん", u"麺"}, false, u"飯/麺", u"麺"},
    {{u"ご飯", u"ごはん", u"白米", u"お米", u"もち米"}, false, u"飯/麺", u"ゴハン"},
    {{u"餅", u"切りもち"}, false, u"飯/麺", u"餅"},
    {{u"食パン", u"バゲット", u"フランスパン", u"ロールパン"}, false, u"飯/麺", u"パン"},
    {{u"みかん", u"オレンジ", u"グレープフルーツ", u"ゆず", u"柚子"}, false, u"果物", u"柑橘類"},
    {{u"ぶどう", u"ブドウ", u"葡萄", u"レーズン"}, false, u"果物", u"ブドウ"},
    {{u"あんこ", u"小豆", u"あずき", u"つぶあん", u"こしあん"}, false, u"菓子", u"アンコ"},
    {{u"紅茶"}, false, u"菓子", u"紅茶"},
    {{u"コーヒー", u"珈琲"}, false, u"菓子", u"コーヒー"},
    {{u"はちみつ", u"蜂蜜", u"ハチミツ"}, false, u"菓子", u"蜂蜜"},
};
