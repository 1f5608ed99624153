#pragma once

#include "print/engine/pagelayout.h"

#include <QString>

// The layout start-up gives SIZE_BIBLE with the default settings.
inline PageLayout bibleLayout()
{
    PageLayout l;
    l.YOHAKU = 3;
    l.KAZARI = 1;
    l.ANAAKE = 1;
    l.HAKUSI = 1;
    l.AMIKAKE_COLOR = 0xEEEEEE;
    l.KIRITORI_COLOR = 0x666666;
    l.LEFT = 8;
    l.WIDTH = 88;
    l.HEAD_HEIGHT = 4;
    l.DATA_HEIGHT = 9;
    l.FOOT_HEIGHT = 156;
    l.footHeightSaved = 156;
    l.usableHeight = 167;
    l.HEAD_FONTNAME = QStringLiteral("ＭＳ ゴシック");
    l.DEFAULT_FONTNAME = QStringLiteral("ＭＳ ゴシック");
    l.DATA_FONTNAME = QStringLiteral("ＭＳ 明朝");
    l.HEAD_FONTSIZE = 12;
    l.DEFAULT_FONTSIZE = 9;
    l.DATA_FONTSIZE = 9;
    return l;
}
