#include "print/printoptionsmodel.h"

#include "app/settingsfile.h"
#include "platform/prompts.h"
#include "print/engine/paintertarget.h"
#include "print/engine/paperformat.h"

#include <cmath>

using namespace Qt::StringLiterals;

bool InstalledFontCheck::canSelect(const QString &name) const
{
    return PainterTarget::fontAvailable(name);
}

const QString PrintOptionsModel::separator = u"-------------------"_s;
const QString PrintOptionsModel::trueTypeWarning =
    u"日本語ツゥルータイプフォント以外では、正しく印刷されない事があります。"_s;

QString PrintOptionsModel::fontUnavailableMessage(const QString &name)
{
    return u"「"_s + name + u"」フォントは選択できません。"_s;
}

namespace {

int indexOfValue(const QList<PrintOptionsModel::Choice> &list, int32_t value)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).value == value)
            return int(i);
    }
    return -1;
}

int16_t number16(const QString &text)
{
    return LayoutSettings::toInt16(LayoutSettings::parseNumber(text));
}

} // namespace

PrintOptionsModel::PrintOptionsModel(Bindings bindings, Prompts &prompts, const FontCheck &fonts)
    : m_b(bindings), m_prompts(prompts), m_fonts(fonts)
{
    for (const PaperFormat &f : PaperFormat::all())
        paperCaptions.append(f.caption);
    sizes = QStringList{u" 4"_s, u" 4.5"_s, u" 5"_s,   u" 5.5"_s, u" 6"_s, u" 7"_s,
                        u" 8"_s, u" 8.5"_s, u" 9"_s,   u" 9.5"_s, u"10"_s, u"11"_s,
                        u"12"_s, u"13"_s,   u"13.5"_s, u"18"_s,   u"20"_s, u"24"_s};
    colors =
        QStringList{u"黒"_s,   u"青"_s,   u"緑"_s,   u"空"_s,    u"赤"_s,    u"紫"_s, u"黄"_s,
                    u"灰"_s,   u"白"_s,   u"茶"_s,   u"空"_s,    u"桃"_s,    u"オ"_s, u"黄１"_s,
                    u"緑１"_s, u"紺１"_s, u"緑２"_s, u"?緑３"_s, u"?薄黒"_s, u"虹"_s, u"ﾊﾟｽﾃﾙ"_s};
    shadings = {{u"灰"_s, 0xEEEEEE}, {u"黄"_s, 0xDDFFFF}, {u"茶"_s, 0xDDEEFF},
                {u"緑"_s, 0xEEFFEE}, {u"青"_s, 0xFFEEDD}, {u"赤"_s, 0xEEDDFF}};
    titleTypes = QStringList{
        u"下線無し"_s,   u"下線付き"_s,       u"細い下線付き"_s,   u"枠線"_s,
        u"網掛け"_s,     u"下線なし(中央)"_s, u"下線付き(中央)"_s, u"細い下線付き(中央)"_s,
        u"枠線(中央)"_s, u"網掛け(中央)"_s,   u"グラデーション"_s};
    lineTypes = QStringList{u"標準"_s, u"太め"_s, u"丸点"_s, u"?デジコジ"_s};
    daisiPatterns =
        QStringList{u"柄なし"_s, u"塗り潰し"_s, u"格子 太"_s, u"外枠"_s, u"ﾜﾝﾎﾟｲﾝﾄ画像"_s};
    daisiColors = shadings;
}

QString PrintOptionsModel::paperNotice(int paper)
{
    switch (paper) {
    case 6:
        return u"Ａ５システム手帳サイズでＡ４用紙に印刷するときは、\r\n"
               u"プリンターの設定をＡ４横にしてお使いください。\r\n"
               u"\r\n"
               u"但し、用紙の下端３ｍｍまで印刷できないプリンターは、\r\n"
               u"Ａ４横にＡ５サイズを２枚同時に印刷すると、裏面がずれます。\r\n"
               u"Ａ４用紙を２枚に切ってＡ５サイズにして使ってください。"_s;
    case 9:
        return u"Ｂ６システム手帳サイズでＢ５用紙に印刷するときは、\r\n"
               u"プリンターの設定をＢ５横にしてお使いください。\r\n"
               u"\r\n"
               u"但し、用紙の下端３ｍｍまで印刷できないプリンターは、\r\n"
               u"Ｂ５横にＢ６サイズを２枚同時に印刷すると、裏面がずれます。\r\n"
               u"Ｂ５用紙を２枚に切ってＢ６サイズにして使ってください。"_s;
    case 13:
        return u"付箋紙をＡ４用紙の左上の端に貼り付けて印刷してください。\r\n"
               u"裏面には糊がついていて印刷できないので、印刷時に表面を選択して使ってください。\r\n"
               u"\r\n"
               u"貼り付けた付箋紙を普通の手帳などに貼ってお使い下さい。\r\n"
               u"これにより普通の手帳にも印刷できるようになりました。"_s;
    case PaperFormat::chyoA4:
    case PaperFormat::chyoA7:
        return u"プリンターの設定をＡ４横にしてお使いください。\r\n"
               u"\r\n"
               u"縁有りで印刷可能領域最大（Ａ４下の端まで）にしてください。\r\n"
               u"\r\n"
               u"４折り用紙(超整理ｻｲｽﾞ)に切り替えたときは、\r\n"
               u"当ソフトをいったん終了させてから使ってください。"_s;
    default:
        return QString();
    }
}

void PrintOptionsModel::load(const QStringList &installedFonts)
{
    fontNames =
        QStringList{u"ＭＳ ゴシック"_s, u"ＭＳ 明朝"_s, u"ＭＳ Ｐゴシック"_s, u"ＭＳ Ｐ明朝"_s};
    fontNames.append(separator);
    for (const QString &name : installedFonts) {
        // Vertical-writing fonts are of no use on a refill.
        if (!name.startsWith(u'@'))
            fontNames.append(name);
    }
    controls.paper =
        m_b.paperType >= 0 && m_b.paperType < paperCaptions.size() ? m_b.paperType : -1;
    refreshOptionControls();
    m_loaded = true;
}

void PrintOptionsModel::refreshOptionControls()
{
    const PageLayout &l = m_b.layout;
    controls.xMax = QString::number(l.WIDTH);
    controls.yHead = QString::number(l.HEAD_HEIGHT);
    controls.yData = QString::number(l.DATA_HEIGHT);
    controls.x = QString::number(l.LEFT);

    const std::array<QString, 4> fontName{QString(), l.HEAD_FONTNAME, l.DATA_FONTNAME,
                                          l.DEFAULT_FONTNAME};
    const std::array<double, 4> fontSize{0, l.HEAD_FONTSIZE, l.DATA_FONTSIZE, l.DEFAULT_FONTSIZE};
    for (int i = 1; i <= 3; ++i) {
        controls.font[i] = int(fontNames.indexOf(fontName[i]));
        controls.size[i] = -1;
        for (qsizetype k = 0; k < sizes.size(); ++k) {
            if (LayoutSettings::parseNumber(sizes.at(k)) == fontSize[i])
                controls.size[i] = int(k);
        }
    }
    const std::array<int32_t, 5> colorCode{l.LINE_COLOR, l.HEAD_COLOR, l.DATA_COLOR,
                                           l.DEFAULT_COLOR, l.HEAD_LINE_COLOR};
    for (int i = 0; i < 5; ++i)
        controls.color[i] = colorCode[i] >= 0 && colorCode[i] < colors.size() ? colorCode[i] : -1;

    controls.shading = indexOfValue(shadings, l.AMIKAKE_COLOR);
    if (controls.shading < 0) {
        // A colour of the user's own is kept as it is.
        shadings.append({u"指定"_s, l.AMIKAKE_COLOR});
        controls.shading = int(shadings.size() - 1);
    }
    controls.daisiColor = indexOfValue(daisiColors, l.DAISI_COLOR);
    controls.imekana = m_b.imeKanaMode != 0;
    controls.align = {QString::number(l.ALIGN_FRONT_X), QString::number(l.ALIGN_FRONT_Y),
                      QString::number(l.ALIGN_BACK_X), QString::number(l.ALIGN_BACK_Y)};
}

void PrintOptionsModel::activate()
{
    PageLayout &l = m_b.layout;
    controls.x = QString::number(l.LEFT);
    controls.xMax = QString::number(l.WIDTH);
    controls.yohaku = QString::number(l.YOHAKU);
    controls.yHead = QString::number(l.HEAD_HEIGHT);
    controls.yData = QString::number(l.DATA_HEIGHT);
    controls.titleType = l.KAZARI >= 0 && l.KAZARI < titleTypes.size() ? l.KAZARI : -1;
    controls.anaake = l.ANAAKE != 0;
    controls.footDown = l.footDownOn != 0;
    if (l.DAISI > daisiPatterns.size() - 1 || l.DAISI < 0)
        l.DAISI = 0;
    controls.daisi = l.DAISI;
    controls.kiritori = l.KIRITORI_COLOR != 0;
    controls.lineType = l.TENSEN >= 0 && l.TENSEN < lineTypes.size() ? l.TENSEN : -1;
    controls.hakusi = l.HAKUSI != 0;
}

void PrintOptionsModel::paperClicked(int index)
{
    if (!m_loaded || index < 0 || index >= paperCaptions.size())
        return;
    controls.paper = index;
    LayoutSettings::loadPageLayout(m_b.settings, index, m_b.layout);
    refreshOptionControls();
    const QString notice = paperNotice(index);
    if (!notice.isEmpty())
        m_prompts.message(notice, Prompts::Icon::Exclamation);
}

void PrintOptionsModel::fontClicked(int member, int index)
{
    if (!m_loaded || member < 1 || member > 3 || index < 0 || index >= fontNames.size())
        return;
    if (fontNames.at(index).startsWith(u'-'))
        index = 0;
    controls.font[member] = index;
    if (index > 3)
        m_prompts.message(trueTypeWarning);
    const QString &name = fontNames.at(index);
    if (!m_fonts.canSelect(name)) {
        m_prompts.message(fontUnavailableMessage(name));
        controls.font[member] = 0;
    }
}

int PrintOptionsModel::paperFromControls() const
{
    return controls.paper >= 0 ? controls.paper : 0;
}

PageLayout PrintOptionsModel::layoutFromControls() const
{
    PageLayout l = m_b.layout;
    const Controls &c = controls;
    l.LEFT = number16(c.x);
    l.WIDTH = number16(c.xMax);
    l.HEAD_HEIGHT = number16(c.yHead);
    l.DATA_HEIGHT = number16(c.yData);
    l.YOHAKU = number16(c.yohaku);

    l.KAZARI = int16_t(std::max(0, c.titleType));
    l.ANAAKE = c.anaake ? 1 : 0;
    l.DAISI = int16_t(std::max(0, c.daisi));
    // A colour the list does not hold stays as it was.
    if (c.daisiColor >= 0)
        l.DAISI_COLOR = daisiColors.at(c.daisiColor).value;

    l.footDownOn = c.footDown ? 1 : 0;
    const double footDown =
        LayoutSettings::parseNumber(m_b.settings.readSetting(QString(), u"FOOT_DOWN"_s));
    l.FOOT_HEIGHT = l.footDownOn ? LayoutSettings::toInt16(std::fabs(footDown) + l.footHeightSaved)
                                 : l.footHeightSaved;

    l.KIRITORI_COLOR = c.kiritori ? 0x666666 : 0;
    l.TENSEN = int16_t(std::max(0, c.lineType));
    l.HAKUSI = c.hakusi ? 1 : 0;

    // A font or size the lists do not hold (nothing selected) stays as it was.
    QString *fontName[] = {nullptr, &l.HEAD_FONTNAME, &l.DATA_FONTNAME, &l.DEFAULT_FONTNAME};
    float *fontSize[] = {nullptr, &l.HEAD_FONTSIZE, &l.DATA_FONTSIZE, &l.DEFAULT_FONTSIZE};
    for (int i = 1; i <= 3; ++i) {
        if (c.font[i] >= 0)
            *fontName[i] = fontNames.at(c.font[i]);
        if (c.size[i] >= 0)
            *fontSize[i] = float(LayoutSettings::parseNumber(sizes.at(c.size[i])));
    }
    int32_t *colorCode[] = {&l.LINE_COLOR, &l.HEAD_COLOR, &l.DATA_COLOR, &l.DEFAULT_COLOR,
                            &l.HEAD_LINE_COLOR};
    for (int i = 0; i < 5; ++i) {
        if (c.color[i] >= 0)
            *colorCode[i] = c.color[i];
    }
    if (c.shading >= 0)
        l.AMIKAKE_COLOR = shadings.at(c.shading).value;

    l.ALIGN_FRONT_X = number16(c.align[0]);
    l.ALIGN_FRONT_Y = number16(c.align[1]);
    l.ALIGN_BACK_X = number16(c.align[2]);
    l.ALIGN_BACK_Y = number16(c.align[3]);
    return l;
}

bool PrintOptionsModel::saveOptions()
{
    PageLayout wanted = layoutFromControls();
    const int paper = paperFromControls();
    if (controls.paper < 0)
        controls.paper = 0;
    const int16_t imeKana = controls.imekana ? -1 : 0;
    SettingsFile &s = m_b.settings;
    PageLayout stored = m_b.layout;
    bool saved = false;
    {
        SettingsFile::Batch batch(s);
        LayoutSettings::saveLayoutSettings(s, paper, wanted);
        s.writeSetting(QString(), u"IMEKANA"_s, QString::number(imeKana));
        // Read back what is about to be stored: a value the file cannot hold
        // (a font name with a character the code page lacks) must not pass
        // for saved, nor leave the other keys half written.
        LayoutSettings::loadPageLayout(s, paper, stored);
        wanted.usableHeight = stored.usableHeight; // follows YOHAKU
        saved = stored == wanted && number16(s.readSetting(QString(), u"YOUSI"_s)) == paper &&
                number16(s.readSetting(QString(), u"IMEKANA"_s)) == imeKana;
        if (!saved)
            batch.discard();
    }
    const QString why = s.lastError();
    saved = saved && why.isEmpty();
    if (!saved) {
        m_prompts.message(u"設定を保存できませんでした。\r\n"_s + s.filePath() +
                              (why.isEmpty() ? QString() : u"\r\n"_s + why),
                          Prompts::Icon::Exclamation);
        return false;
    }
    m_b.layout = stored;
    m_b.paperType = int16_t(paper);
    m_b.imeKanaMode = imeKana;
    return true;
}
