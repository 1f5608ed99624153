#pragma once

// Maps the Windows font names that settings files hold ("ＭＳ ゴシック" and
// the rest) to the installed Japanese fonts, so stored settings keep working.
void installFontSubstitutions();
