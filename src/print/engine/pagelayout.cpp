#include "print/engine/pagelayout.h"

#include "app/settingsfile.h"
#include "print/engine/paperformat.h"

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace LayoutSettings {

double parseNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;
    if (i + 1 < n && text.at(i) == u'&' && (text.at(i + 1) == u'H' || text.at(i + 1) == u'h')) {
        i += 2;
        double value = 0;
        for (; i < n; ++i) {
            const int digit = QChar(text.at(i)).isDigit() ? text.at(i).unicode() - u'0'
                              : (text.at(i).toUpper() >= u'A' && text.at(i).toUpper() <= u'F')
                                  ? text.at(i).toUpper().unicode() - u'A' + 10
                                  : -1;
            if (digit < 0 || text.at(i).unicode() > 0x7F)
                break;
            value = value * 16 + digit;
        }
        return value;
    }
    const qsizetype start = i;
    if (i < n && (text.at(i) == u'-' || text.at(i) == u'+'))
        ++i;
    bool digits = false;
    while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9') {
        ++i;
        digits = true;
    }
    if (i < n && text.at(i) == u'.') {
        ++i;
        while (i < n && text.at(i) >= u'0' && text.at(i) <= u'9') {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    // An exponent only counts when digits follow it.
    if (i < n && (text.at(i) == u'E' || text.at(i) == u'e')) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == u'-' || text.at(j) == u'+'))
            ++j;
        if (j < n && text.at(j) >= u'0' && text.at(j) <= u'9') {
            while (j < n && text.at(j) >= u'0' && text.at(j) <= u'9')
                ++j;
            i = j;
        }
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

template <typename T> static T roundTo(double value)
{
    const double r = std::nearbyint(value); // default rounding: halves to even
    if (r < double(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (r > double(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return T(r);
}

int16_t toInt16(double value)
{
    return roundTo<int16_t>(value);
}

int32_t toInt32(double value)
{
    return roundTo<int32_t>(value);
}

static double num(const SettingsFile &s, const QString &section, const QString &key)
{
    return parseNumber(s.readSetting(section, key));
}

void loadPageLayout(const SettingsFile &s, int paperNumber, PageLayout &l)
{
    const QString main;
    l.fourUpSheet = 0;
    l.YOHAKU = toInt16(num(s, main, u"YOHAKU"_s));
    l.AMIKAKE_COLOR = toInt32(num(s, main, u"AMIKAKE_COLOR"_s));
    l.LINE_COLOR = toInt32(num(s, main, u"LINE_COLOR"_s));
    l.HEAD_LINE_COLOR = toInt32(num(s, main, u"HEAD_LINE_COLOR"_s));
    l.HEAD_COLOR = toInt32(num(s, main, u"HEAD_COLOR"_s));
    l.DEFAULT_COLOR = toInt32(num(s, main, u"DEFAULT_COLOR"_s));
    l.DATA_COLOR = toInt32(num(s, main, u"DATA_COLOR"_s));
    l.KAZARI = toInt16(num(s, main, u"KAZARI"_s));
    l.ANAAKE = toInt16(num(s, main, u"ANAAKE"_s));
    l.KIRITORI_COLOR = toInt32(num(s, main, u"KIRITORI_COLOR"_s));
    l.TENSEN = toInt16(num(s, main, u"TENSEN"_s));
    l.DAISI = toInt16(num(s, main, u"DAISI"_s));
    l.DAISI_COLOR = toInt32(num(s, main, u"DAISI_COLOR"_s));
    l.YOUSI_PLUS = float(num(s, main, u"YOUSI_PLUS"_s));
    l.HAKUSI = toInt16(num(s, main, u"HAKUSI"_s));

    const double footDown = num(s, main, u"FOOT_DOWN"_s);
    l.footDownOn = footDown >= 0 ? 1 : 0;
    l.TABSTOP = toInt16(num(s, main, u"TABSTOP"_s));
    if (l.TABSTOP == 0)
        l.TABSTOP = 4;

    if (paperNumber == PaperFormat::chyoA4 || paperNumber == PaperFormat::chyoA7)
        l.fourUpSheet = 1;
    const PaperFormat *format = PaperFormat::byNumber(paperNumber);
    if (!format)
        return;
    const QString &sec = format->section;
    l.LEFT = toInt16(num(s, sec, u"LEFT"_s));
    l.HEAD_HEIGHT = toInt16(num(s, sec, u"HEAD_HEIGHT"_s));
    l.DATA_HEIGHT = toInt16(num(s, sec, u"DATA_HEIGHT"_s));
    l.FOOT_HEIGHT = toInt16(num(s, sec, u"FOOT_HEIGHT"_s));
    l.footHeightSaved = l.FOOT_HEIGHT;
    if (l.footDownOn)
        l.FOOT_HEIGHT = toInt16(std::fabs(footDown) + l.footHeightSaved);
    l.WIDTH = toInt16(num(s, sec, u"WIDTH"_s));
    l.usableHeight = toInt16(num(s, sec, u"HEIGHT"_s) - l.YOHAKU);
    l.HEAD_FONTNAME = s.readSetting(sec, u"HEAD_FONTNAME"_s).trimmed();
    l.HEAD_FONTSIZE = float(num(s, sec, u"HEAD_FONTSIZE"_s));
    l.DATA_FONTNAME = s.readSetting(sec, u"DATA_FONTNAME"_s).trimmed();
    l.DATA_FONTSIZE = float(num(s, sec, u"DATA_FONTSIZE"_s));
    l.DEFAULT_FONTNAME = s.readSetting(sec, u"DEFAULT_FONTNAME"_s).trimmed();
    l.DEFAULT_FONTSIZE = float(num(s, sec, u"DEFAULT_FONTSIZE"_s));
    l.ALIGN_FRONT_X = toInt16(num(s, sec, u"ALIGN_FRONT_X"_s));
    l.ALIGN_FRONT_Y = toInt16(num(s, sec, u"ALIGN_FRONT_Y"_s));
    l.ALIGN_BACK_X = toInt16(num(s, sec, u"ALIGN_BACK_X"_s));
    l.ALIGN_BACK_Y = toInt16(num(s, sec, u"ALIGN_BACK_Y"_s));
}

QPointF alignmentOffsetMm(const PageLayout &l, bool back)
{
    return back ? QPointF(l.ALIGN_BACK_X / 10.0, l.ALIGN_BACK_Y / 10.0)
                : QPointF(l.ALIGN_FRONT_X / 10.0, l.ALIGN_FRONT_Y / 10.0);
}

namespace {

struct AddressSection
{
    QString name;
    std::vector<std::pair<QString, QString>> keys;
};

const std::vector<AddressSection> &addressSections()
{
    static const std::vector<AddressSection> sections = {
        {u"QVPOST_CARD"_s,
         {{u"YOKO"_s, u"-3"_s},         {u"TATE"_s, u"-3"_s},         {u"ZIP_X"_s, u"43"_s},
          {u"ZIP_Y"_s, u"15"_s},        {u"ZIP_S"_s, u"12"_s},        {u"ADDRESS1_X"_s, u"85"_s},
          {u"ADDRESS1_Y"_s, u"25"_s},   {u"ADDRESS1_S"_s, u"18"_s},   {u"ADDRESS2_X"_s, u"75"_s},
          {u"ADDRESS2_Y"_s, u"35"_s},   {u"ADDRESS2_S"_s, u"18"_s},   {u"OFFICE_X"_s, u"65"_s},
          {u"OFFICE_Y"_s, u"26"_s},     {u"OFFICE_S"_s, u"14"_s},     {u"NAME_X"_s, u"48"_s},
          {u"NAME_Y"_s, u"40"_s},       {u"NAME_S"_s, u"24"_s},       {u"NAME2_X"_s, u"35"_s},
          {u"NAME2_Y"_s, u"66"_s},      {u"NAME2_S"_s, u"24"_s},      {u"SASIDASI"_s, u"1"_s},
          {u"S_ZIP_X"_s, u"6.2"_s},     {u"S_ZIP_Y"_s, u"128"_s},     {u"S_ZIP_S"_s, u"8"_s},
          {u"S_ADDRESS1_X"_s, u"24"_s}, {u"S_ADDRESS1_Y"_s, u"66"_s}, {u"S_ADDRESS1_S"_s, u"8"_s},
          {u"S_ADDRESS2_X"_s, u"18"_s}, {u"S_ADDRESS2_Y"_s, u"71"_s}, {u"S_ADDRESS2_S"_s, u"8"_s},
          {u"S_NAME1_X"_s, u"11"_s},    {u"S_NAME1_Y"_s, u"74"_s},    {u"S_NAME1_S"_s, u"8"_s},
          {u"S_NAME2_X"_s, u"6"_s},     {u"S_NAME2_Y"_s, u"74"_s},    {u"S_NAME2_S"_s, u"8"_s}}},
        {u"QVPOST_L4"_s,
         {{u"YOKO"_s, u"-6"_s},         {u"TATE"_s, u"-3"_s},          {u"ZIP_X"_s, u"36"_s},
          {u"ZIP_Y"_s, u"33"_s},        {u"ZIP_S"_s, u"12"_s},         {u"ADDRESS1_X"_s, u"75"_s},
          {u"ADDRESS1_Y"_s, u"43"_s},   {u"ADDRESS1_S"_s, u"18"_s},    {u"ADDRESS2_X"_s, u"66"_s},
          {u"ADDRESS2_Y"_s, u"53"_s},   {u"ADDRESS2_S"_s, u"18"_s},    {u"OFFICE_X"_s, u"58"_s},
          {u"OFFICE_Y"_s, u"47"_s},     {u"OFFICE_S"_s, u"14"_s},      {u"NAME_X"_s, u"42"_s},
          {u"NAME_Y"_s, u"61"_s},       {u"NAME_S"_s, u"24"_s},        {u"NAME2_X"_s, u"28"_s},
          {u"NAME2_Y"_s, u"81"_s},      {u"NAME2_S"_s, u"24"_s},       {u"SASIDASI"_s, u"0"_s},
          {u"S_ZIP_X"_s, u"7"_s},       {u"S_ZIP_Y"_s, u"86"_s},       {u"S_ZIP_S"_s, u"8"_s},
          {u"S_ADDRESS1_X"_s, u"24"_s}, {u"S_ADDRESS1_Y"_s, u"93"_s},  {u"S_ADDRESS1_S"_s, u"8"_s},
          {u"S_ADDRESS2_X"_s, u"18"_s}, {u"S_ADDRESS2_Y"_s, u"101"_s}, {u"S_ADDRESS2_S"_s, u"8"_s},
          {u"S_NAME1_X"_s, u"11"_s},    {u"S_NAME1_Y"_s, u"104"_s},    {u"S_NAME1_S"_s, u"8"_s},
          {u"S_NAME2_X"_s, u"6"_s},     {u"S_NAME2_Y"_s, u"105"_s},    {u"S_NAME2_S"_s, u"8"_s}}},
        {u"QVPOST_L3"_s,
         {{u"YOKO"_s, u"-6"_s},         {u"TATE"_s, u"-3"_s},          {u"ZIP_X"_s, u"66"_s},
          {u"ZIP_Y"_s, u"42"_s},        {u"ZIP_S"_s, u"12"_s},         {u"ADDRESS1_X"_s, u"100"_s},
          {u"ADDRESS1_Y"_s, u"55"_s},   {u"ADDRESS1_S"_s, u"18"_s},    {u"ADDRESS2_X"_s, u"91"_s},
          {u"ADDRESS2_Y"_s, u"58"_s},   {u"ADDRESS2_S"_s, u"18"_s},    {u"OFFICE_X"_s, u"79"_s},
          {u"OFFICE_Y"_s, u"66"_s},     {u"OFFICE_S"_s, u"14"_s},      {u"NAME_X"_s, u"60"_s},
          {u"NAME_Y"_s, u"72"_s},       {u"NAME_S"_s, u"24"_s},        {u"NAME2_X"_s, u"50"_s},
          {u"NAME2_Y"_s, u"60"_s},      {u"NAME2_S"_s, u"24"_s},       {u"SASIDASI"_s, u"0"_s},
          {u"S_ZIP_X"_s, u"7"_s},       {u"S_ZIP_Y"_s, u"86"_s},       {u"S_ZIP_S"_s, u"8"_s},
          {u"S_ADDRESS1_X"_s, u"24"_s}, {u"S_ADDRESS1_Y"_s, u"93"_s},  {u"S_ADDRESS1_S"_s, u"8"_s},
          {u"S_ADDRESS2_X"_s, u"18"_s}, {u"S_ADDRESS2_Y"_s, u"101"_s}, {u"S_ADDRESS2_S"_s, u"8"_s},
          {u"S_NAME1_X"_s, u"11"_s},    {u"S_NAME1_Y"_s, u"104"_s},    {u"S_NAME1_S"_s, u"8"_s},
          {u"S_NAME2_X"_s, u"6"_s},     {u"S_NAME2_Y"_s, u"105"_s},    {u"S_NAME2_S"_s, u"8"_s}}},
        {u"QVPOST_KAKU3"_s,
         {{u"YOKO"_s, u"-6"_s},         {u"TATE"_s, u"-3"_s},          {u"ZIP_X"_s, u"26"_s},
          {u"ZIP_Y"_s, u"52"_s},        {u"ZIP_S"_s, u"12"_s},         {u"ADDRESS1_X"_s, u"27"_s},
          {u"ADDRESS1_Y"_s, u"65"_s},   {u"ADDRESS1_S"_s, u"18"_s},    {u"ADDRESS2_X"_s, u"45"_s},
          {u"ADDRESS2_Y"_s, u"79"_s},   {u"ADDRESS2_S"_s, u"18"_s},    {u"OFFICE_X"_s, u"51"_s},
          {u"OFFICE_Y"_s, u"92"_s},     {u"OFFICE_S"_s, u"14"_s},      {u"NAME_X"_s, u"62"_s},
          {u"NAME_Y"_s, u"106"_s},      {u"NAME_S"_s, u"24"_s},        {u"NAME2_X"_s, u"50"_s},
          {u"NAME2_Y"_s, u"60"_s},      {u"NAME2_S"_s, u"24"_s},       {u"SASIDASI"_s, u"0"_s},
          {u"S_ZIP_X"_s, u"79"_s},      {u"S_ZIP_Y"_s, u"86"_s},       {u"S_ZIP_S"_s, u"8"_s},
          {u"S_ADDRESS1_X"_s, u"81"_s}, {u"S_ADDRESS1_Y"_s, u"197"_s}, {u"S_ADDRESS1_S"_s, u"8"_s},
          {u"S_ADDRESS2_X"_s, u"81"_s}, {u"S_ADDRESS2_Y"_s, u"210"_s}, {u"S_ADDRESS2_S"_s, u"8"_s},
          {u"S_NAME1_X"_s, u"101"_s},   {u"S_NAME1_Y"_s, u"223"_s},    {u"S_NAME1_S"_s, u"8"_s},
          {u"S_NAME2_X"_s, u"6"_s},     {u"S_NAME2_Y"_s, u"105"_s},    {u"S_NAME2_S"_s, u"8"_s}}},
    };
    return sections;
}

} // namespace

void writeLayoutDefaults(SettingsFile &s, int currentPaperNumber)
{
    SettingsFile::Batch batch(s);
    const QString main;
    s.readSettingOrDefault(main, u"YOUSI"_s, QString::number(currentPaperNumber));
    static const std::pair<const char16_t *, const char16_t *> mainDefaults[] = {
        {u"YOHAKU", u"3"},
        {u"KAZARI", u"1"},
        {u"ANAAKE", u"1"},
        {u"COLOR", u"0"},
        {u"HEAD_LINE_COLOR", u"0"},
        {u"LINE_COLOR", u"0"},
        {u"HEAD_COLOR", u"0"},
        {u"DATA_COLOR", u"0"},
        {u"DEFAULT_COLOR", u"0"},
        {u"AMIKAKE_COLOR", u"&HEEEEEE"},
        {u"KIRITORI_COLOR", u"&H666666"},
        {u"TABSTOP", u"4"},
    };
    for (const auto &[key, value] : mainDefaults)
        s.writeSetting(main, QString::fromUtf16(key), QString::fromUtf16(value));
    if (s.readSetting(main, u"FOOT_DOWN"_s).isEmpty())
        s.writeSetting(main, u"FOOT_DOWN"_s, u"-4"_s);
    s.writeSetting(main, u"DAISI"_s, u"0"_s);
    s.writeSetting(main, u"YOUSI_PLUS"_s, u"0"_s);
    s.writeSetting(main, u"HAKUSI"_s, u"1"_s);

    for (int number : PaperFormat::writeOrder()) {
        const PaperFormat &f = *PaperFormat::byNumber(number);
        const QString &sec = f.section;
        s.writeSetting(sec, u"LEFT"_s, QString::number(f.LEFT));
        s.writeSetting(sec, u"WIDTH"_s, QString::number(f.WIDTH));
        s.writeSetting(sec, u"HEIGHT"_s, QString::number(f.HEIGHT));
        s.writeSetting(sec, u"HEAD_HEIGHT"_s, QString::number(f.HEAD_HEIGHT));
        s.writeSetting(sec, u"DATA_HEIGHT"_s, QString::number(f.DATA_HEIGHT));
        s.writeSetting(sec, u"FOOT_HEIGHT"_s, QString::number(f.FOOT_HEIGHT));
        s.writeSetting(sec, u"HEAD_FONTNAME"_s, PaperFonts::head);
        s.writeSetting(sec, u"HEAD_FONTSIZE"_s, QString::number(f.HEAD_FONTSIZE));
        s.writeSetting(sec, u"DEFAULT_FONTNAME"_s, PaperFonts::deflt);
        s.writeSetting(sec, u"DEFAULT_FONTSIZE"_s, QString::number(f.DEFAULT_FONTSIZE));
        s.writeSetting(sec, u"DATA_FONTNAME"_s, PaperFonts::data);
        s.writeSetting(sec, u"DATA_FONTSIZE"_s, QString::number(f.DATA_FONTSIZE));
    }

    if (s.readSetting(u"QVPOST"_s, u"NAME"_s).isEmpty()) {
        s.writeSetting(u"QVPOST"_s, u"NAME1"_s, u"自分の名前"_s);
        s.writeSetting(u"QVPOST"_s, u"NAME2"_s, QString());
        s.writeSetting(u"QVPOST"_s, u"ZIP"_s, u"999-9999"_s);
        s.writeSetting(u"QVPOST"_s, u"ADDRESS1"_s, u"自分の住所"_s);
        s.writeSetting(u"QVPOST"_s, u"ADDRESS2"_s, u"自分のアパート名"_s);
    }
    for (const AddressSection &section : addressSections()) {
        for (const auto &[key, value] : section.keys)
            s.writeSetting(section.name, key, value);
        s.writeSetting(section.name, u"FONT"_s, PaperFonts::data);
    }
}

QString hexText(int32_t value)
{
    return u"&H"_s + QString::number(uint32_t(value), 16).toUpper();
}

QString numberText(double value)
{
    return QString::number(value, 'g', 7);
}

bool saveLayoutSettings(SettingsFile &s, int paperNumber, const PageLayout &l)
{
    SettingsFile::Batch batch(s);
    const QString main;
    s.writeSetting(main, u"YOUSI"_s, QString::number(paperNumber));
    s.writeSetting(main, u"YOHAKU"_s, QString::number(l.YOHAKU));
    s.writeSetting(main, u"AMIKAKE_COLOR"_s, hexText(l.AMIKAKE_COLOR));
    s.writeSetting(main, u"HEAD_LINE_COLOR"_s, QString::number(l.HEAD_LINE_COLOR));
    s.writeSetting(main, u"LINE_COLOR"_s, QString::number(l.LINE_COLOR));
    s.writeSetting(main, u"HEAD_COLOR"_s, QString::number(l.HEAD_COLOR));
    s.writeSetting(main, u"DEFAULT_COLOR"_s, QString::number(l.DEFAULT_COLOR));
    s.writeSetting(main, u"DATA_COLOR"_s, QString::number(l.DATA_COLOR));
    s.writeSetting(main, u"TABSTOP"_s, QString::number(l.TABSTOP));
    s.writeSetting(main, u"KAZARI"_s, QString::number(l.KAZARI));
    s.writeSetting(main, u"ANAAKE"_s, QString::number(l.ANAAKE));
    s.writeSetting(main, u"KIRITORI_COLOR"_s, hexText(l.KIRITORI_COLOR));
    s.writeSetting(main, u"TENSEN"_s, QString::number(l.TENSEN));
    s.writeSetting(main, u"DAISI"_s, QString::number(l.DAISI));
    s.writeSetting(main, u"DAISI_COLOR"_s, hexText(l.DAISI_COLOR));
    s.writeSetting(main, u"HAKUSI"_s, QString::number(l.HAKUSI));

    // Only the sign (the switch) changes; the amount stays.
    const int32_t amount = std::abs(toInt32(parseNumber(s.readSetting(main, u"FOOT_DOWN"_s))));
    s.writeSetting(main, u"FOOT_DOWN"_s, QString::number(l.footDownOn ? amount : -amount));

    const PaperFormat *format = PaperFormat::byNumber(paperNumber);
    if (!format)
        return batch.commit();
    const QString &sec = format->section;
    s.writeSetting(sec, u"LEFT"_s, QString::number(l.LEFT));
    s.writeSetting(sec, u"WIDTH"_s, QString::number(l.WIDTH));
    s.writeSetting(sec, u"HEAD_HEIGHT"_s, QString::number(l.HEAD_HEIGHT));
    s.writeSetting(sec, u"DATA_HEIGHT"_s, QString::number(l.DATA_HEIGHT));
    s.writeSetting(sec, u"FOOT_HEIGHT"_s, QString::number(l.footHeightSaved));
    s.writeSetting(sec, u"HEAD_FONTNAME"_s, l.HEAD_FONTNAME);
    s.writeSetting(sec, u"HEAD_FONTSIZE"_s, numberText(l.HEAD_FONTSIZE));
    s.writeSetting(sec, u"DATA_FONTNAME"_s, l.DATA_FONTNAME);
    s.writeSetting(sec, u"DATA_FONTSIZE"_s, numberText(l.DATA_FONTSIZE));
    s.writeSetting(sec, u"DEFAULT_FONTNAME"_s, l.DEFAULT_FONTNAME);
    s.writeSetting(sec, u"DEFAULT_FONTSIZE"_s, numberText(l.DEFAULT_FONTSIZE));
    // Written only when they differ from what is stored, so a file that
    // never had them stays as it was.
    const std::pair<const char16_t *, int16_t> alignment[] = {
        {u"ALIGN_FRONT_X", l.ALIGN_FRONT_X},
        {u"ALIGN_FRONT_Y", l.ALIGN_FRONT_Y},
        {u"ALIGN_BACK_X", l.ALIGN_BACK_X},
        {u"ALIGN_BACK_Y", l.ALIGN_BACK_Y},
    };
    for (const auto &[key, value] : alignment) {
        const QString name = QString::fromUtf16(key);
        if (toInt16(num(s, sec, name)) != value)
            s.writeSetting(sec, name, QString::number(value));
    }
    return batch.commit();
}

} // namespace LayoutSettings
