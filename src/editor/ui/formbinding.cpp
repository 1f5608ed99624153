#include "editor/ui/formbinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

using namespace Qt::StringLiterals;

namespace {

// The form keeps CR LF line breaks; the text boxes use LF.
QString toForm(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\n', u"\r\n"_s);
    return text;
}

QString toWidget(QString text)
{
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

} // namespace

FormBinding::FormBinding(RecipeForm &form, QWidget *parent) : QObject(parent), m_form(form)
{
    static const QStringList typeable = {u"cmb_bunrui12"_s, u"cmb_key"_s, u"cmb_name"_s};
    const QHash<QString, ChoiceList *> lists = m_form.choiceLists();
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        const QString name = it.key();
        ChoiceList *list = it.value();
        auto *box = new QComboBox(parent);
        box->setObjectName(name);
        box->setEditable(typeable.contains(name));
        box->setMaxVisibleItems(20);
        m_combos.insert(name, box);
        connect(box, &QComboBox::currentIndexChanged, this, [this, box, list, name](int index) {
            if (m_pushing)
                return;
            list->select(index);
            if (box->isEditable() && index < 0)
                list->setText(box->currentText());
            if (name == u"Cmb_bunrui11"_s)
                Q_EMIT mainCategoryChosen();
        });
        if (box->isEditable()) {
            connect(box, &QComboBox::editTextChanged, this, [this, list](const QString &text) {
                if (m_pushing)
                    return;
                if (list->current >= 0 && list->current < list->items.size() &&
                    list->items.at(list->current) == text)
                    return;
                list->setText(text);
            });
        }
    }

    Txt_key1 = static_cast<QLineEdit *>(makeText(parent, u"Txt_key1"_s, false, &m_form.Txt_key1));
    for (int i = 0; i < 3; ++i)
        txt_yobi[std::size_t(i)] =
            makeText(parent, u"txt_yobi_%1"_s.arg(i), i < 2, &m_form.txt_yobi[std::size_t(i)]);
    for (int i = 0; i < 13; ++i)
        Txt_biko[std::size_t(i)] = makeText(parent, u"Txt_biko_%1"_s.arg(i), i == 1 || i == 2,
                                            &m_form.Txt_biko[std::size_t(i)]);

    const auto makeCheck = [&](const QString &name, const QString &caption, bool *target) {
        auto *check = new QCheckBox(caption, parent);
        check->setObjectName(name);
        connect(check, &QCheckBox::toggled, this, [this, target](bool on) {
            if (!m_pushing)
                *target = on;
        });
        return check;
    };
    Chk_noprint = makeCheck(u"Chk_noprint"_s, u"印刷不要"_s, &m_form.Chk_noprint);
    Chk_Active = makeCheck(u"Chk_Active"_s, u"お気入"_s, &m_form.Chk_Active);
    const QStringList etc = {u"食べた"_s, u"メールマガジン発行"_s, u"試作品"_s, u"ﾃﾞｰﾄ不向"_s,
                             u"宴会可"_s};
    for (int i = 0; i < 5; ++i)
        chk_etc[std::size_t(i)] =
            makeCheck(u"chk_etc_%1"_s.arg(i), etc.at(i), &m_form.chk_etc[std::size_t(i)]);
}

QWidget *FormBinding::makeText(QWidget *parent, const QString &name, bool multiline,
                               QString *target)
{
    QWidget *box = nullptr;
    if (multiline) {
        auto *edit = new QPlainTextEdit(parent);
        // Tab moves on, as in every other field: a TAB is no part of a recipe.
        edit->setTabChangesFocus(true);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, target] {
            if (!m_pushing)
                *target = toForm(edit->toPlainText());
        });
        box = edit;
    } else {
        auto *edit = new QLineEdit(parent);
        connect(edit, &QLineEdit::textChanged, this, [this, target](const QString &text) {
            if (!m_pushing)
                *target = text;
        });
        box = edit;
    }
    box->setObjectName(name);
    m_texts.insert(box, target);
    return box;
}

bool FormBinding::isMultiline(const QWidget *textBox)
{
    return qobject_cast<const QPlainTextEdit *>(textBox) != nullptr;
}

void FormBinding::setText(QWidget *textBox, const QString &text)
{
    if (auto *plain = qobject_cast<QPlainTextEdit *>(textBox)) {
        if (toForm(plain->toPlainText()) != text)
            plain->setPlainText(toWidget(text));
    } else if (auto *line = qobject_cast<QLineEdit *>(textBox)) {
        if (line->text() != text)
            line->setText(text);
    }
}

void FormBinding::pushCombo(const QString &name)
{
    QComboBox *box = m_combos.value(name);
    ChoiceList *list = m_form.choiceLists().value(name);
    if (!box || !list)
        return;
    const bool wasPushing = m_pushing;
    m_pushing = true;
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown.append(box->itemText(i));
    if (shown != list->items) {
        box->clear();
        box->addItems(list->items);
    }
    if (list->current >= 0) {
        box->setCurrentIndex(list->current);
    } else {
        box->setCurrentIndex(-1);
        if (box->isEditable())
            box->setEditText(list->editText);
    }
    m_pushing = wasPushing;
}

void FormBinding::push()
{
    m_pushing = true;
    for (auto it = m_combos.cbegin(); it != m_combos.cend(); ++it)
        pushCombo(it.key());
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it)
        setText(it.key(), *it.value());
    Chk_noprint->setChecked(m_form.Chk_noprint);
    Chk_Active->setChecked(m_form.Chk_Active);
    for (std::size_t i = 0; i < chk_etc.size(); ++i)
        chk_etc[i]->setChecked(m_form.chk_etc[i]);
    m_pushing = false;
}
