#pragma once

#include "editor/recipeform.h"

#include <QHash>
#include <QObject>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

// The entry-field widgets of the recipe list window, bound to a RecipeForm:
// every edit in a widget updates the form at once; push() shows the form's
// content after a command changed it. Widgets carry the control names as
// objectName; members of control arrays are named "<name>_<index>"
// ("txt_yobi_0", "Txt_biko_12", "chk_etc_4").
class FormBinding : public QObject
{
    Q_OBJECT
public:
    FormBinding(RecipeForm &form, QWidget *parent);

    void push();
    void pushCombo(const QString &name);

    QComboBox *combo(const QString &name) const { return m_combos.value(name); }
    QLineEdit *Txt_key1 = nullptr;
    std::array<QWidget *, 3> txt_yobi{};  // 0, 1 multi-line; 2 single line
    std::array<QWidget *, 13> Txt_biko{}; // 1, 2 multi-line; others single line
    QCheckBox *Chk_noprint = nullptr;
    QCheckBox *Chk_Active = nullptr;
    std::array<QCheckBox *, 5> chk_etc{};

    static bool isMultiline(const QWidget *textBox);

Q_SIGNALS:
    // Cmb_bunrui11 was chosen by the user.
    void mainCategoryChosen();

private:
    QWidget *makeText(QWidget *parent, const QString &name, bool multiline, QString *target);
    static void setText(QWidget *textBox, const QString &text);

    RecipeForm &m_form;
    QHash<QString, QComboBox *> m_combos;
    QHash<QWidget *, QString *> m_texts;
    bool m_pushing = false;
};
