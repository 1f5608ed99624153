#pragma once

#include <QString>

// Folds kana, letters, digits and symbols to one form so that texts typed in
// different widths and scripts compare equal: hiragana and half-width katakana
// become full-width katakana, full-width letters, digits and symbols become
// ASCII, the ASCII comma becomes "，". One character in, one character out.
QString foldText(const QString &text);
