#include "app/settingsfile.h"
#include "print/engine/pagelayout.h"
#include "print/printoptionsmodel.h"
#include "testsupport.h"

#include <QSet>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class FakeFonts : public FontCheck
{
public:
    bool canSelect(const QString &name) const override { return !missing.contains(name); }
    QSet<QString> missing;
};

// A settings file with every default, the layout of `paper` loaded and the
// options window's model on it.
struct Options
{
    explicit Options(int paper = 0, const QList<std::pair<QString, QString>> &mainKeys = {})
    {
        {
            SettingsFile::Batch batch(settings);
            LayoutSettings::writeLayoutDefaults(settings, paper);
            settings.writeSetting(QString(), u"YOUSI"_s, QString::number(paper));
            settings.writeSetting(QString(), u"IMEKANA"_s, u"0"_s);
            for (const auto &[key, value] : mainKeys)
                settings.writeSetting(QString(), key, value);
        }
        paperType = int16_t(paper);
        LayoutSettings::loadPageLayout(settings, paper, layout);
        model = std::make_unique<PrintOptionsModel>(
            PrintOptionsModel::Bindings{settings, layout, paperType, imeKanaMode}, prompts, fonts);
        model->load({u"IPAGothic"_s, u"@IPAMincho"_s, u"Noto Sans"_s});
        model->activate();
    }
    QByteArray bytes() const { return home.read(u"QVRECIPE.ini"_s); }
    QStringList messages() const
    {
        QStringList texts;
        for (const auto &m : prompts.shown)
            texts.append(m.text);
        return texts;
    }

    TempProgramFolder home;
    SettingsFile settings{home.file(u"QVRECIPE.ini"_s), u"QVRECIPE"_s};
    PageLayout layout;
    int16_t paperType = 0;
    int16_t imeKanaMode = 0;
    ScriptedPrompts prompts;
    FakeFonts fonts;
    std::unique_ptr<PrintOptionsModel> model;
};

} // namespace

class TestPrintOptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lists();
    void paperClick_data();
    void paperClick();
    void fontClick_data();
    void fontClick();
    void ownShadingColourKept();
    void daisiBeyondTheListSavedAsZero();
    void footDownMovesTheFooter();
    void closingWithoutSavingWritesNothing();
    void savingChangesOnlyTheWindowsKeys();
    void alignmentSavedPerPaper();
    void unsavableFontNameWritesNothing();
};

void TestPrintOptions::lists()
{
    Options o;
    const PrintOptionsModel &m = *o.model;
    QCOMPARE(m.paperCaptions.size(), 25);
    QCOMPARE(m.fontNames, (QStringList{u"ＭＳ ゴシック"_s, u"ＭＳ 明朝"_s, u"ＭＳ Ｐゴシック"_s,
                                       u"ＭＳ Ｐ明朝"_s, PrintOptionsModel::separator,
                                       u"IPAGothic"_s, u"Noto Sans"_s}));
    QCOMPARE(m.sizes.size(), 18);
    QCOMPARE(m.colors.size(), 21);
    QCOMPARE(m.daisiColors, m.shadings);
    // The defaults of the bible format show as themselves.
    const PrintOptionsModel::Controls &c = m.controls;
    QCOMPARE(c.paper, 0);
    QCOMPARE((QStringList{c.x, c.xMax, c.yHead, c.yData, c.yohaku}),
             (QStringList{u"8"_s, u"88"_s, u"4"_s, u"9"_s, u"3"_s}));
    QCOMPARE(c.font, (std::array<int, 4>{-1, 0, 1, 0}));
    QCOMPARE(m.sizes.at(c.size[1]), u"12"_s);
    QCOMPARE(m.sizes.at(c.size[2]), u" 9"_s);
    QCOMPARE(m.shadings.at(c.shading).value, 0xEEEEEE);
}

void TestPrintOptions::paperClick_data()
{
    QTest::addColumn<int>("paper");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("notices");
    QTest::newRow("four-up paper brings its notice") << 15 << 72 << 1;
    QTest::newRow("A4 brings none") << 10 << 200 << 0;
}

void TestPrintOptions::paperClick()
{
    QFETCH(int, paper);
    QFETCH(int, width);
    QFETCH(int, notices);
    Options o;
    const QByteArray before = o.bytes();
    o.model->paperClicked(paper);
    QCOMPARE(o.layout.WIDTH, width);
    QCOMPARE(o.model->controls.xMax, QString::number(width));
    QCOMPARE(o.layout.fourUpSheet, paper == 15 ? 1 : 0);
    QCOMPARE(o.messages(),
             notices ? QStringList{PrintOptionsModel::paperNotice(paper)} : QStringList{});
    if (notices)
        QVERIFY(PrintOptionsModel::paperNotice(paper).startsWith(
            u"プリンターの設定をＡ４横にしてお使いください。\r\n\r\n"_s));
    // The paper number itself waits for saving.
    QCOMPARE(o.paperType, 0);
    QCOMPARE(o.bytes(), before);
}

void TestPrintOptions::fontClick_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("selected");
    const QString warning = PrintOptionsModel::trueTypeWarning;
    QTest::newRow("fixed font") << 3 << QStringList{} << QStringList{} << 3;
    QTest::newRow("separator picks the first") << 4 << QStringList{} << QStringList{} << 0;
    QTest::newRow("installed font warns") << 5 << QStringList{} << QStringList{warning} << 5;
    QTest::newRow("warning comes before the refusal")
        << 6 << QStringList{u"Noto Sans"_s}
        << QStringList{warning, PrintOptionsModel::fontUnavailableMessage(u"Noto Sans"_s)} << 0;
    QTest::newRow("missing fixed font")
        << 2 << QStringList{u"ＭＳ Ｐゴシック"_s}
        << QStringList{u"「ＭＳ Ｐゴシック」フォントは選択できません。"_s} << 0;
}

void TestPrintOptions::fontClick()
{
    QFETCH(int, index);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, messages);
    QFETCH(int, selected);
    Options o;
    o.fonts.missing = QSet<QString>(missing.begin(), missing.end());
    o.model->fontClicked(2, index);
    QCOMPARE(o.messages(), messages);
    QCOMPARE(o.model->controls.font[2], selected);
}

void TestPrintOptions::ownShadingColourKept()
{
    Options o(0, {{u"AMIKAKE_COLOR"_s, u"&HCCCCCC"_s}});
    const auto &shadings = o.model->shadings;
    QCOMPARE(shadings.size(), 7);
    QCOMPARE(shadings.back(), (PrintOptionsModel::Choice{u"指定"_s, 0xCCCCCC}));
    QCOMPARE(o.model->controls.shading, 6);
    QVERIFY(o.model->saveOptions());
    QCOMPARE(o.settings.readSetting(QString(), u"AMIKAKE_COLOR"_s), u"&HCCCCCC"_s);
}

void TestPrintOptions::daisiBeyondTheListSavedAsZero()
{
    Options o(0, {{u"DAISI"_s, u"7"_s}});
    QCOMPARE(o.model->controls.daisi, 0);
    QVERIFY(o.model->saveOptions());
    QCOMPARE(o.settings.readSetting(QString(), u"DAISI"_s), u"0"_s);
}

void TestPrintOptions::footDownMovesTheFooter()
{
    Options o(0, {{u"FOOT_DOWN"_s, u"-4"_s}});
    QCOMPARE(o.model->controls.footDown, false);
    o.model->controls.footDown = true;
    QVERIFY(o.model->saveOptions());
    QCOMPARE(o.layout.FOOT_HEIGHT, 160);
    QCOMPARE(o.settings.readSetting(QString(), u"FOOT_DOWN"_s), u"4"_s);
    QCOMPARE(o.settings.readSetting(u"SIZE_BIBLE"_s, u"FOOT_HEIGHT"_s), u"156"_s);
}

void TestPrintOptions::closingWithoutSavingWritesNothing()
{
    Options o;
    const QByteArray before = o.bytes();
    o.model->paperClicked(6);
    o.model->fontClicked(1, 5);
    o.model->controls.color[0] = 4;
    o.model->controls.x = u"20"_s;
    o.model.reset();
    QCOMPARE(o.bytes(), before);
    // The chosen format's layout stays in force; the paper number does not change.
    QCOMPARE(o.layout.WIDTH, 140);
    QCOMPARE(o.paperType, 0);
}

void TestPrintOptions::savingChangesOnlyTheWindowsKeys()
{
    Options o;
    QByteArray expected = o.bytes();
    expected.replace("YOUSI=0\r\n", "YOUSI=3\r\n");
    expected.replace("\nLINE_COLOR=0\r\n", "\nLINE_COLOR=4\r\n");
    // Two keys of the window that the defaults leave out come in as well.
    expected.replace("IMEKANA=0\r\n", "IMEKANA=-1\r\nTENSEN=0\r\nDAISI_COLOR=&H0\r\n");
    o.model->paperClicked(3);
    o.model->controls.color[0] = 4;
    o.model->controls.imekana = true;
    QVERIFY(o.model->saveOptions());
    QCOMPARE(o.bytes(), expected);
    QCOMPARE(o.paperType, 3);
    QCOMPARE(o.imeKanaMode, -1);
    QCOMPARE(o.layout.LINE_COLOR, 4);
}

void TestPrintOptions::alignmentSavedPerPaper()
{
    Options o;
    o.model->controls.align = {u"15"_s, u"-5"_s, u"0"_s, u"2"_s};
    QVERIFY(o.model->saveOptions());
    QCOMPARE(o.settings.readSetting(u"SIZE_BIBLE"_s, u"ALIGN_FRONT_X"_s), u"15"_s);
    QCOMPARE(o.settings.readSetting(u"SIZE_BIBLE"_s, u"ALIGN_FRONT_Y"_s), u"-5"_s);
    QCOMPARE(o.settings.readSetting(u"SIZE_BIBLE"_s, u"ALIGN_BACK_X"_s), QString());
    QCOMPARE(LayoutSettings::alignmentOffsetMm(o.layout, false), QPointF(1.5, -0.5));
    QCOMPARE(LayoutSettings::alignmentOffsetMm(o.layout, true), QPointF(0, 0.2));
    // Another format keeps its own (none).
    o.model->paperClicked(1);
    QCOMPARE(o.model->controls.align[0], u"0"_s);
}

void TestPrintOptions::unsavableFontNameWritesNothing()
{
    Options o;
    o.model->fontNames.append(u"Font \u2603"_s); // a snowman: not in the code page
    o.model->fontClicked(1, int(o.model->fontNames.size() - 1));
    o.model->controls.color[0] = 4;
    const QByteArray before = o.bytes();
    o.prompts.shown.clear();
    QVERIFY(!o.model->saveOptions());
    QCOMPARE(o.bytes(), before);
    QCOMPARE(o.messages().size(), 1);
    QVERIFY(o.messages().front().startsWith(u"設定を保存できませんでした。\r\n"_s));
    QCOMPARE(o.layout.LINE_COLOR, 0);
}

QTEST_GUILESS_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
