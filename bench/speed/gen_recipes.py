#!/usr/bin/python3
"""Writes a realistic recipe file (CP932, CR LF, 30 fields a row, multi-line
ingredients and methods) for the speed benchmarks.

    gen_recipes.py RECIPES OUT [--step N] [--seed S]

Row i gets the key of dish number i*step, so two files made with steps 2 and 3
share the keys of every sixth dish (an import then updates those)."""
import argparse
import random

HEADER = ("主材料,副材料,料理名,フラグ,お気入り,習熟度,材料,作り方,添付,人数,備考,POINT,"
          "テーマ,国籍,手間,費用,特殊,作者,時間,登録日,塩分,カロリー,ビタミン,蛋白質,糖質,野菜,果物,")
METADATA = ["@TITLE=", "@作者=", "@URL=", "@MAIL="]
CATEGORIES = {
    "肉": ["豚コマ", "鶏もも", "牛こま", "豚挽肉", "ハム/ソーセージ", "鶏ささみ"],
    "魚貝類": ["鮭", "さば", "えび", "イカ", "魚加工", "あさり"],
    "野菜": ["キャベツ", "大根", "なす", "ほうれん草", "じゃがいも", "トマト"],
    "飯/麺": ["ゴハン", "うどん", "パスタ", "ラーメン", "そば"],
    "豆/豆腐": ["豆腐", "納豆", "厚揚げ", "大豆"],
    "卵": ["卵"],
    "菓子": ["小麦粉", "紅茶", "チョコ", "果物"],
}
DISHES = ["炒め", "煮", "焼き", "揚げ", "和え", "蒸し", "のスープ", "サラダ", "丼", "カレー",
          "グラタン", "の照り焼き", "の味噌煮", "のマリネ", "のチヂミ"]
ADJ = ["簡単", "ふわふわ", "とろとろ", "ピリ辛", "さっぱり", "こってり", "時短", "本格"]
ING = ["醤油 大さじ2", "みりん 大さじ1", "酒 大さじ1", "砂糖 小さじ2", "塩 少々", "こしょう 少々",
       "生姜 1かけ", "にんにく 1片", "玉ねぎ 1/2個", "にんじん 1/3本", "ごま油 小さじ1",
       "だし汁 200cc", "片栗粉 大さじ1", "長ねぎ 1本", "味噌 大さじ1.5", "バター 10g"]
STEPS = ["材料を食べやすい大きさに切る。", "フライパンに油を熱し、肉を炒める。",
         "野菜を加えてさらに炒め、調味料で味を調える。", "鍋に水とだしを入れて火にかける。",
         "沸騰したら弱火にして10分ほど煮込む。", "器に盛り付けて、ねぎを散らせば出来上がり。",
         "ボウルに調味料を合わせておく。", "ふたをして蒸し焼きにする。"]
THEMES = ["主菜", "副菜", "汁物", "お弁当", "おつまみ", "おやつ", "飲み物"]
NATIONS = ["和風", "洋風", "中華", "韓国", "エスニック"]
EFFORT = ["簡単(10分)", "普通", "手間"]
COST = ["安い", "普通", "高い"]
AUTHORS = ["qv", "ぽこちゃん", "山田", "佐藤", "母"]
TASTES = ["", "甘い", "辛い", "さっぱり", "こってり"]
NUMERALS = "１２３４５６７８９"


def row(rnd, dish):
    cats = list(CATEGORIES)
    cat = cats[dish % len(cats)]
    sub = CATEGORIES[cat][(dish // len(cats)) % len(CATEGORIES[cat])]
    name = "%s%s%s%d" % (ADJ[(dish // 7) % len(ADJ)], sub, DISHES[dish % len(DISHES)], dish)
    f = [""] * 30
    f[0], f[1], f[2] = cat, sub, name
    f[3] = "".join("%d|" % (rnd.random() < p) for p in (0.05, 0.3, 0.5, 0.1, 0.1, 0.1, 0.2))
    f[4] = str(rnd.randint(0, 5))
    f[5] = str(rnd.randint(0, 3))
    f[6] = "\\n".join(["%s %dg" % (sub, rnd.choice((100, 150, 200, 300)))] +
                      rnd.sample(ING, rnd.randint(2, 5)))
    f[7] = "\\n".join("%s．%s" % (NUMERALS[k], s)
                      for k, s in enumerate(rnd.sample(STEPS, rnd.randint(2, 4))))
    f[8] = "%s.jpg" % name if rnd.random() < 0.2 else ""
    f[9] = str(rnd.randint(1, 4))
    f[10] = "冷めてもおいしい。\\nお弁当にも。" if rnd.random() < 0.2 else ""
    f[11] = "火を通しすぎないのが \"コツ\"。" if rnd.random() < 0.3 else ""
    f[12] = rnd.choice(THEMES)
    f[13] = rnd.choice(NATIONS)
    f[14] = rnd.choice(EFFORT)
    f[15] = rnd.choice(COST)
    f[17] = AUTHORS[dish % len(AUTHORS)]
    f[18] = "%d分" % rnd.choice((10, 15, 20, 30, 45, 60))
    f[19] = "20%02d/%02d/%02d" % (rnd.randint(5, 26), rnd.randint(1, 12), rnd.randint(1, 28))
    f[20] = "%.1f" % (rnd.random() * 4)
    f[21] = str(rnd.randint(80, 900))
    for k in range(22, 28):
        f[k] = "%.1f" % (rnd.random() * 30) if rnd.random() < 0.5 else ""
    f[28] = rnd.choice(TASTES)
    # Fields are written quoted, a quote inside doubled, as the program writes them.
    return ",".join('"%s"' % v.replace('"', '""') for v in f)


def key(r):
    fields = r[1:].split('","', 3)
    return (fields[0].ljust(20)[:20] + fields[1].ljust(10)[:10] + fields[2].ljust(25)[:25])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("recipes", type=int)
    ap.add_argument("out")
    ap.add_argument("--step", type=int, default=1)
    ap.add_argument("--seed", type=int, default=1)
    a = ap.parse_args()
    rnd = random.Random(a.seed)
    rows = sorted((row(rnd, i * a.step) for i in range(a.recipes)), key=key)
    with open(a.out, "wb") as out:
        out.write("".join(l + "\r\n" for l in METADATA + [HEADER] + rows).encode("cp932"))


main()
