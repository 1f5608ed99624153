// Child process for tst_rewritesafety: rewrites a recipe file through the
// work copy so that the test can kill it at any moment or starve it of space.
// The two contents come from SRC/a.bin (small) and SRC/b.bin (large).
//   rewritehelper loop DIR SRC      alternate DIR/QVRECIPE.csv between the two
//                                   until killed
//   rewritehelper full DIR SRC      DIR is nearly full: a rewrite must fail and
//                                   leave the file as it was
//   rewritehelper prepare DIR SRC   writes the small content to DIR
//   rewritehelper readonly DIR SRC  DIR is read-only: the rewrite must fail
//   rewritehelper once DIR SRC      one rewrite to the small content
//   rewritehelper add DIR FILE      adds 150 recipes to FILE, one rewrite each,
//                                   with its work file in DIR; prints
//                                   "saved NAME" for each add that succeeded
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefilerewrite.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

RecipeFileRewrite::Result rewriteTo(const QString &dir, const QByteArray &content)
{
    return RecipeFileRewrite::rewrite(
        dir + QStringLiteral("/QVRECIPE.csv"), dir + QStringLiteral("/qvprint.tmp"),
        [&content](const QList<QByteArray> &, QList<QByteArray> &newLines, QString *) {
            newLines = TextFile::splitLines(content);
            return true;
        });
}

// The rewrite must fail, say so, and leave the file and no stray files behind.
int expectRefusal(const QString &dir, const QByteArray &before, const QByteArray &big)
{
    const RecipeFileRewrite::Result r = rewriteTo(dir, big);
    if (r.ok) {
        std::puts("rewrite reported success");
        return 1;
    }
    if (!r.error.contains(QStringLiteral("QVRECIPE.csv"))) {
        std::printf("error does not name the file: %s\n", qPrintable(r.error));
        return 1;
    }
    if (readAll(dir + QStringLiteral("/QVRECIPE.csv")) != before) {
        std::puts("file changed");
        return 1;
    }
    const QStringList left = QDir(dir).entryList(QDir::Files);
    for (const QString &name : left) {
        if (name != QStringLiteral("QVRECIPE.csv") && name != QStringLiteral("qvprint.tmp")) {
            std::printf("left behind: %s\n", qPrintable(name));
            return 1;
        }
    }
    std::printf("refused: %s\n", qPrintable(r.error.simplified()));
    return 0;
}

// Another copy of the program adding recipes to a file it shares.
int addRecipes(const QString &workDir, const QString &file)
{
    const QString tag = QDir(workDir).dirName();
    for (int i = 0; i < 150; ++i) {
        const QString name = QStringLiteral("%1-%2").arg(tag).arg(i);
        const RecipeFileRewrite::Result r = RecipeFileRewrite::rewrite(
            file, workDir + QStringLiteral("/qvprint.tmp"),
            [&](const QList<QByteArray> &oldLines, QList<QByteArray> &newLines, QString *) {
                newLines = oldLines;
                newLines.append(Cp932::encodeLossy(
                    QStringLiteral("\"肉\",\"豚\",\"%1\",\"0|0|0|0|0|0|0|\"").arg(name)));
                return true;
            });
        if (r.ok)
            std::printf("saved %s\n", qPrintable(name));
        else
            std::printf("refused %s: %s\n", qPrintable(name), qPrintable(r.error.simplified()));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QByteArray mode = argv[1];
    const QString dir = QString::fromLocal8Bit(argv[2]);
    const QString source = QString::fromLocal8Bit(argv[3]);
    if (mode == "add")
        return addRecipes(dir, source);
    const QByteArray a = readAll(source + QStringLiteral("/a.bin"));
    const QByteArray b = readAll(source + QStringLiteral("/b.bin"));
    if (a.isEmpty() || b.isEmpty())
        return 2;

    if (mode == "loop") {
        std::puts("ready");
        std::fflush(stdout);
        for (bool toB = true;; toB = !toB) {
            if (!rewriteTo(dir, toB ? b : a).ok)
                return 3;
            std::putchar(toB ? 'b' : 'a');
            std::fflush(stdout);
        }
    }
    if (mode == "full" || mode == "prepare") {
        // The small file fits; the big one does not.
        if (!TextFile::writeAtomically(dir + QStringLiteral("/QVRECIPE.csv"), a).saved()) {
            std::puts("could not write the small file");
            return 2;
        }
        return mode == "full" ? expectRefusal(dir, a, b) : 0;
    }
    if (mode == "once")
        return rewriteTo(dir, a).ok ? 0 : 3;
    if (mode == "readonly")
        return expectRefusal(dir, readAll(dir + QStringLiteral("/QVRECIPE.csv")), b);
    return 2;
}
