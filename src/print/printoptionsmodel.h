#pragma once

#include "print/engine/pagelayout.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

class Prompts;
class SettingsFile;

// Whether a font name can be selected for the page; tests fake it.
class FontCheck
{
public:
    virtual ~FontCheck() = default;
    virtual bool canSelect(const QString &name) const = 0;
};

// The installed fonts (and the substitutes of the Windows names).
class InstalledFontCheck : public FontCheck
{
public:
    bool canSelect(const QString &name) const override;
};

// The print options window without its widgets: what each control holds,
// the click rules, and what saving writes. The window shows `controls`,
// writes the user's edits back into it and calls the handlers.
class PrintOptionsModel
{
public:
    // What the window edits: the live layout, the paper number and the
    // input-method switch of the process, and the settings file.
    struct Bindings
    {
        SettingsFile &settings;
        PageLayout &layout;
        int16_t &paperType;
        int16_t &imeKanaMode;
    };

    // An entry of a list that carries a value (shading and mount colours).
    struct Choice
    {
        QString text;
        int32_t value = 0;
        bool operator==(const Choice &) const = default;
    };

    // The state of every control; -1 = nothing selected. Arrays are indexed
    // like the control arrays (Cmb_Font_1 is font[1]).
    struct Controls
    {
        int paper = -1; // Cmb_Yousi
        QString x, xMax, yHead, yData,
            yohaku; // Txt_x, txt_x_max, Txt_y_head, Txt_y_data, Txt_Yohaku
        std::array<int, 4> font{-1, -1, -1, -1};      // Cmb_Font (1..3)
        std::array<int, 4> size{-1, -1, -1, -1};      // Cmb_size (1..3)
        std::array<int, 5> color{-1, -1, -1, -1, -1}; // Cmb_Color (0..4)
        int shading = -1;                             // Cmb_Color_amikake
        int titleType = -1;                           // Cmb_TitleType
        int lineType = -1;                            // Cmb_linetype
        int daisi = -1;                               // cmb_daisi
        int daisiColor = -1;                          // Cmb_daisi_Color
        bool anaake = false;                          // chk_anaake
        bool footDown = false;                        // Chk_foot_Down
        bool kiritori = false;                        // Chk_kiritori_color
        bool hakusi = false;                          // chk_hakusi
        bool imekana = false;                         // Chk_imekana
        // Txt_align (0..3): front x, front y, back x, back y in 0.1 mm
        std::array<QString, 4> align;
    };

    PrintOptionsModel(Bindings bindings, Prompts &prompts, const FontCheck &fonts);

    // Fills the lists (installedFonts in the system's order), selects the
    // paper in force and shows the layout; list clicks count from here on.
    void load(const QStringList &installedFonts);
    bool loaded() const { return m_loaded; }
    // Puts the layout in force into the controls.
    void refreshOptionControls();
    // Each time the window comes to the front.
    void activate();

    // Loads the chosen format's layout at once and shows its notice.
    void paperClicked(int index);
    // Picks a font for member 1..3 with the separator, TrueType and
    // availability rules.
    void fontClicked(int member, int index);

    // The layout and paper number that saving would store, from the controls.
    PageLayout layoutFromControls() const;
    int paperFromControls() const;
    // Saves everything the window edits. False when the settings file could
    // not be written; the user was told and the window should stay open.
    bool saveOptions();

    // The notice shown after choosing a paper; empty for most formats.
    static QString paperNotice(int paper);

    // The list contents.
    QStringList paperCaptions;
    QStringList fontNames;
    QStringList sizes;
    QStringList colors;
    QList<Choice> shadings;
    QStringList titleTypes;
    QStringList lineTypes;
    QStringList daisiPatterns;
    QList<Choice> daisiColors;

    Controls controls;

    static const QString separator;
    static const QString trueTypeWarning;
    static QString fontUnavailableMessage(const QString &name);

private:
    Bindings m_b;
    Prompts &m_prompts;
    const FontCheck &m_fonts;
    bool m_loaded = false;
};
