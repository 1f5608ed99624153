// Times the recipe text analysis on large texts: a typical recipe repeated
// into many lines, one very long line, and many headings.
#include "analysis/recipetextparser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {

const QString recipe = u"肉じゃが\r\n"
                       u"材料（2人分）\r\n"
                       u"牛こま切れ肉　150g\r\n"
                       u"じゃがいも　3個、玉ねぎ　1個\r\n"
                       u"作り方\r\n"
                       u"1. じゃがいもは皮をむいて一口大に切り、水にさらす。\r\n"
                       u"2. 鍋に油を熱し、牛肉を炒める。\r\n"
                       u"ポイント\r\n"
                       u"エネルギー 350KCAL　塩分 2.1g　調理時間：約30分\r\n"_s;

void measure(QTextStream &out, const char *name, const QString &text)
{
    QElapsedTimer timer;
    timer.start();
    // CPU time too: on a shared machine the wall clock measures the others.
    const std::clock_t cpuStart = std::clock();
    const RecipeTextAnalysis a = RecipeTextParser::parse(text);
    const qint64 ms = timer.elapsed();
    const qint64 cpuMs = qint64(double(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC);
    const double mb = double(text.size()) * 2 / (1024 * 1024);
    out << name << u": "_s << QString::number(mb, 'f', 1) << u" MB (UTF-16) in "_s << ms
        << u" ms ("_s << cpuMs << u" ms CPU), "_s
        << QString::number(mb * 1000 / double(qMax<qint64>(ms, 1)), 'f', 1) << u" MB/s (method "_s
        << a.method.size() << u" chars)"_s << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int repeat = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20'000;
    measure(out, "many lines", recipe.repeated(repeat));
    QString oneLine = recipe.repeated(repeat);
    oneLine.replace(u"\r\n"_s, u" "_s);
    measure(out, "one line", u"x\r\n作り方\r\n"_s + oneLine);
    measure(out, "headings",
            QString(u"材料\r\n作り方\r\nポイント\r\n【備考】\r\n"_s).repeated(repeat * 5));
    QString garbage;
    QRandomGenerator random(7);
    for (qsizetype i = 0; i < recipe.size() * repeat; ++i)
        garbage += QChar(char16_t(random.bounded(0x10000)));
    measure(out, "random characters", garbage);
    return 0;
}
