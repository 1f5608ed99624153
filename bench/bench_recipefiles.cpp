// Import merge and find-next over a large recipe file.
//   bench_recipefiles [rows]   (default 20000)
#include "platform/cp932.h"
#include "recipe/importmerge.h"
#include "recipe/recipefilecommands.h"
#include "recipe/recipefileformat.h"

#include <QElapsedTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

static QList<QByteArray> makeFile(int rows, int step, const QString &tag)
{
    QList<QByteArray> lines;
    for (const QString &m : RecipeFileFormat::newFileMetadata)
        lines.append(Cp932::encodeLossy(m));
    lines.append(Cp932::encodeLossy(RecipeFileFormat::RecipeFileHeader));
    for (int i = 0; i < rows; ++i) {
        const QString row =
            u"\"肉\",\"豚コマ\",\"料理%1\",\"0|1|0|0|0|0|0|\",\"3\",\"0\","
            u"\"豚コマ 200g\\nキャベツ 1/4個\\n醤油 大さじ1\",\"１．切る。\\n２．炒める。"
            u"\\n３．盛り付ける。\",\"\",\"2\",\"%2\",\"\",\"主菜\",\"和風\",\"簡単\","
            u"\"安い\",\"\",\"qv\""_s.arg(QString::number(i * step).rightJustified(6, u'0'), tag);
        lines.append(Cp932::encodeLossy(row));
    }
    return lines;
}

int main(int argc, char *argv[])
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 20000;
    const QList<QByteArray> current = makeFile(rows, 2, u"old"_s);
    const QList<QByteArray> incoming = makeFile(rows / 4, 3, u"new"_s);

    QElapsedTimer t;
    t.start();
    const ImportMerge::Result r = ImportMerge::merge(current, incoming);
    const qint64 mergeMs = t.elapsed();
    std::printf("merge %d + %d rows: %lld ms (added %d, updated %d, kept %d)\n", rows,
                int(rows / 4), mergeMs, r.added, r.updated, r.kept);

    t.restart();
    const int hit = RecipeFileCommands::findRow(r.lines, u"ないもの"_s, 2);
    std::printf("find through %d rows without a hit: %lld ms (%d)\n", int(r.lines.size()),
                t.elapsed(), hit);
    return 0;
}
