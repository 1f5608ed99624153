#pragma once

#include <QString>
#include <QStringList>

// The items and the selection of a drop-down list, without a widget, so the
// logic that fills and selects lists runs (and is tested) without windows.
// An editable list (typeable combo) may show a text that is no item: then
// current is -1 and editText holds it.
struct ChoiceList
{
    QStringList items;
    int current = -1;
    QString editText;

    QString currentText() const
    {
        return current >= 0 && current < items.size() ? items.at(current) : editText;
    }
    void select(int index)
    {
        current = index >= 0 && index < items.size() ? index : -1;
        editText.clear();
    }
    void setText(const QString &text)
    {
        current = -1;
        editText = text;
    }
    void clear()
    {
        items.clear();
        current = -1;
        editText.clear();
    }
    bool operator==(const ChoiceList &) const = default;
};

// Selects the first item whose trimmed text equals the trimmed value; when
// none does, the trimmed value is added as a new last item and selected.
void selectOrAddItem(const QString &value, ChoiceList &list);
