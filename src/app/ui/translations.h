#pragma once

// Loads Qt's own Japanese texts (message-box buttons, file and printer
// dialogs) whatever the desktop's language, so every text a user sees is
// Japanese. False when the translation files are not installed (Debian:
// qt6-translations-l10n); Qt then keeps its English texts.
bool installJapaneseTranslations();
