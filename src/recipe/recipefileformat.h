#pragma once

#include <QString>
#include <QStringList>

// Fixed texts of the recipe file format.
namespace RecipeFileFormat {

using namespace Qt::StringLiterals;

// Replaces whatever header line a file had on every rewrite.
inline const QString RecipeFileHeader =
    u"主材料,副材料,料理名,フラグ,お気入り,習熟度,材料,作り方,添付,人数,備考,POINT,テーマ,国籍,手間,費用,特殊,作者,時間,登録日,塩分,カロリー,ビタミン,蛋白質,糖質,野菜,果物,"_s;

// The metadata lines of a new file.
inline const QStringList newFileMetadata = {u"@TITLE="_s, u"@作者="_s, u"@URL="_s, u"@MAIL="_s};

// The rows a first file starts with when no recipe file exists at all.
inline const QStringList sampleRows = {
    u"飯/麺,ゴハン,ごはんコロッケ,0|1|0|0|0|0|0|,3,0,冷やご飯\\nじゃがいも,１．コロッケを作るときジャガイモに冷やご飯を混ぜて作る。,,,,,飯/麺,,,,,qv"_s,
    u"飯/麺,ラーメン,ラーメン焼きそば,0|1|0|0|0|0|1|,3,0,インスタントラーメン\\nきゃべつ\\n肉,１．インスタントラーメンを茹でる。\\n２．水切りをして麺だけにする。\\n３．普通の焼きソバみたいに作る。,,,,,主菜,,,,,qv"_s,
    u"菓子,紅茶,水出しアイスティー,0|1|0|0|0|0|1|,3,0,紅茶のティバッグ,水200ccあたり紅茶葉スプーンすりきり1杯\\n水に入れて，そのまま冷蔵庫へ\\n6時間くらいたったらおっけー\\nそのとき飲まないならこの時点でお茶っ葉だけとっておく。,,,,,飲み物,,,,,ぽこちゃん"_s,
};

inline bool isMetadataLine(QStringView line)
{
    return line.startsWith(u'@');
}

} // namespace RecipeFileFormat
