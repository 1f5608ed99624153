#include "analysis/classification.h"
#include "editor/fastrowsplitter.h"
#include "editor/recipelistbuilder.h"
#include "platform/cp932.h"
#include "platform/textfile.h"
#include "recipe/recipefilelayout.h"
#include "recipe/recordcodec.h"
#include "testsupport.h"

#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The plain codec: one character at a time, each through a converter of its
// own; every invalid sequence is one U+FFFD.
QString plainDecode(QByteArrayView bytes)
{
    const auto lead = [](uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); };
    const auto trail = [](uchar b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); };
    QString text;
    for (qsizetype i = 0; i < bytes.size();) {
        const uchar b = uchar(bytes[i]);
        const qsizetype len = !lead(b)                                             ? 1
                              : i + 1 < bytes.size() && trail(uchar(bytes[i + 1])) ? 2
                                                                                   : 0;
        if (len == 0) {
            text += QChar::ReplacementCharacter;
            ++i;
            continue;
        }
        QStringDecoder one("windows-31j", QStringConverter::Flag::Stateless);
        const QString c = one.decode(bytes.sliced(i, len));
        text += one.hasError() || c.size() != 1 || (b >= 0x80 && c.at(0).unicode() < 0x80)
                    ? QString(QChar::ReplacementCharacter)
                    : c;
        i += len;
    }
    return text;
}

// Random rows of what recipe files hold: Japanese text, quotes, commas, TABs,
// blanks, encoded line breaks, control bytes, a lone CR, damaged bytes and
// now and then a very long field.
class RowMaker
{
public:
    explicit RowMaker(quint32 seed) : m_random(seed) {}

    QByteArray row()
    {
        static const QList<QByteArray> pieces = {Cp932::encodeLossy(u"肉"_s),
                                                 Cp932::encodeLossy(u"豚コマ"_s),
                                                 Cp932::encodeLossy(u"ごはんコロッケ"_s),
                                                 Cp932::encodeLossy(u"その他"_s),
                                                 Cp932::encodeLossy(u"ｸﾘｱ"_s),
                                                 Cp932::encodeLossy(u"０|１|"_s),
                                                 "0|1|0|0|0|0|0|",
                                                 "0|0|1|0|0|0|0|",
                                                 "abc",
                                                 "  ",
                                                 "\"",
                                                 "\"\"",
                                                 ",",
                                                 ",",
                                                 ",",
                                                 "\t",
                                                 "\\n",
                                                 "\x01",
                                                 "\x1A",
                                                 "\x1C",
                                                 "\x7F",
                                                 "\r",
                                                 "\x81",
                                                 "\x81,",
                                                 "\x85\x40",
                                                 "\x80",
                                                 "\xA0",
                                                 "\xFD",
                                                 "\xFF",
                                                 "\xED\x40",
                                                 "\xFA\x5C",
                                                 "\x82\xA0",
                                                 "\x83\x7F"};
        QByteArray row;
        const int n = m_random.bounded(1, 60);
        for (int i = 0; i < n; ++i) {
            if (m_random.bounded(40000) == 0)
                row += QByteArray(m_random.bounded(1, 300000), 'x') + Cp932::encodeLossy(u"長"_s);
            else
                row += pieces.at(m_random.bounded(qsizetype(pieces.size())));
        }
        return row;
    }

    // Metadata, a header (or none), rows; CR LF or LF line ends.
    QByteArray file(int rows)
    {
        QByteArray content = m_random.bounded(2) ? "\xEF\xBB\xBF@TITLE=\r\n" : "@TITLE=\r\n";
        if (m_random.bounded(3))
            content += Cp932::encodeLossy(u"主材料,副材料,料理名,\r\n"_s);
        for (int i = 0; i < rows; ++i) {
            if (i == rows / 2) // longer than a piece read at once
                content +=
                    "\"" + QByteArray(300000, 'x') + Cp932::encodeLossy(u"長\",\"い"_s) + "\r\n";
            content += m_random.bounded(30) == 0 ? QByteArray("@URL=x") : row();
            content += m_random.bounded(5) == 0 ? "\n" : "\r\n";
        }
        if (m_random.bounded(2))
            content += row(); // no line end after the last row
        return content;
    }

private:
    QRandomGenerator m_random;
};

} // namespace

// The fast paths (one converter for many lines, pieces of a file decoded at
// once, only the needed fields split) give what the plain codec gives.
class TestFastPaths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodeLikeThePlainCodec()
    {
        RowMaker maker(11);
        Cp932::Decoder shared;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray row = maker.row();
            const QString expected = plainDecode(row);
            // No sound byte decodes to U+FFFD, so it marks damage exactly.
            const bool damaged = expected.contains(QChar::ReplacementCharacter);
            bool invalid = !damaged;
            QCOMPARE(Cp932::decode(row, &invalid), expected);
            QCOMPARE(invalid, damaged);
            invalid = !damaged;
            QCOMPARE(shared.decode(row, &invalid), expected);
            QCOMPARE(invalid, damaged);
        }
    }

    // Decoding a sound text at once, or its parts between single-byte
    // characters, relies on this: every two-byte character decodes alone as
    // it does within a text, to one character that is not ASCII.
    void everyCharacterAloneAsInAText()
    {
        QByteArray text;
        QString expected;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0)
                continue;
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                QByteArray pair;
                pair.append(char(lead)).append(char(trail));
                const QString alone = plainDecode(pair);
                if (alone == QString(QChar::ReplacementCharacter))
                    continue;
                QCOMPARE(alone.size(), 1);
                text += pair + ',';
                expected += alone + u',';
            }
        }
        bool invalid = true;
        QCOMPARE(Cp932::decode(text, &invalid), expected);
        QVERIFY(!invalid);
    }

    void fieldsLikeTheFullSplit()
    {
        RowMaker maker(12);
        using F = RecipeRecord;
        Cp932::Decoder decoder;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray raw = maker.row();
            const QString line = plainDecode(raw);
            const RecipeRecord full = RecordCodec::splitRecordLine(line);
            for (int count : {3, 4, 13, 18}) {
                RecipeRecord part;
                for (int n = 1; n <= F::fieldCount; ++n)
                    part.setField(n, u"stale"_s);
                RecordCodec::splitLeadingFields(line, part, count);
                for (int n = 1; n <= F::fieldCount; ++n)
                    QCOMPARE(part.field(n), n <= count ? full.field(n) : u"stale"_s);
                // Only the bytes that hold those fields, decoded.
                RecipeRecord fromBytes;
                for (int n = 1; n <= F::fieldCount; ++n)
                    fromBytes.setField(n, u"stale"_s);
                const qsizetype end = RecordCodec::leadingFieldsEnd(raw, count);
                RecordCodec::splitLeadingFields(plainDecode(QByteArrayView(raw).first(end)),
                                                fromBytes, count);
                QCOMPARE(fromBytes, part);
            }
            QCOMPARE(RecordCodec::selectedFields(
                         line, {F::MainCategory, F::MainIngredient, F::DishName, F::Author}),
                     (QStringList{full.field(1), full.field(2), full.field(3), full.field(18)}));
            QCOMPARE(RecordCodec::selectedFields(raw, {F::Author, F::DishName, F::MainCategory},
                                                 decoder),
                     (QStringList{full.field(18), full.field(3), full.field(1)}));
        }
    }

    void listLikeThePlainPath_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("keyword");
        QTest::newRow("all") << 21u << u"全て"_s << QString();
        QTest::newRow("category") << 22u << u"肉"_s << QString();
        QTest::newRow("favourites") << 23u << u"お気入"_s << QString();
        QTest::newRow("genre") << 24u << u"ジャンル"_s << QString();
        QTest::newRow("search") << 25u << u"検索結果"_s << u"ABC"_s;
    }
    // Files of several pieces, with lines longer than a piece.
    void listLikeThePlainPath()
    {
        QFETCH(quint32, seed);
        QFETCH(QString, view);
        QFETCH(QString, keyword);
        RowMaker maker(seed);
        const QByteArray content = maker.file(1500);
        TempProgramFolder home;
        home.write(u"f.csv"_s, content);
        RecipeListFilter filter;
        filter.view = view;
        filter.conditions[6] = keyword;

        QList<QByteArray> raw =
            TextFile::splitLines(RecipeFileLayout::withoutByteOrderMark(content).toByteArray());
        QStringList lines;
        for (const QByteArray &line : raw)
            lines.append(plainDecode(line));
        QList<RecipeListBuilder::Entry> expected;
        int recordNo = RecipeFileLayout::recordNoBeforeFirstLine(raw);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = lines.at(i);
            if (RecipeFileLayout::isMetadataLine(QStringView(line)) || ++recordNo == 1)
                continue;
            RecipeRecord record = RecordCodec::splitRecordLine(line);
            normalizeCategoryFields(record);
            if (filter.listed(record, line))
                expected.append({recordNo, RecipeListFilter::entryText(record),
                                 RecipeFileLayout::rowIdentity(raw.at(i))});
        }

        QList<QByteArray> read;
        QVERIFY(FastRowSplitter::forEachRawLine(home.file(u"f.csv"_s), [&](QByteArrayView line) {
            read.append(line.toByteArray());
            return true;
        }));
        QCOMPARE(read, raw);

        const RecipeListBuilder::Result built =
            RecipeListBuilder::build(home.file(u"f.csv"_s), filter, normalizeCategoryFields);
        QVERIFY(built.complete);
        QCOMPARE(built.entries.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(built.entries.at(i).recordNo, expected.at(i).recordNo);
            QCOMPARE(built.entries.at(i).text, expected.at(i).text);
            QCOMPARE(built.entries.at(i).row, expected.at(i).row);
        }
    }
};

QTEST_GUILESS_MAIN(TestFastPaths)
#include "tst_fastpaths.moc"
