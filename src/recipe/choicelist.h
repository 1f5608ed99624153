#pragma once

#include <QString>
#include <QStringList>

// The items and the selection of a drop-down list, without a widget, so the
// logic that fills and selects lists runs (and is tested) without windows.
struct ChoiceList
{
    QStringList items;
    int current = -1;

    QString currentText() const
    {
        return current >= 0 && current < items.size() ? items.at(current) : QString();
    }
    void clear()
    {
        items.clear();
        current = -1;
    }
    bool operator==(const ChoiceList &) const = default;
};

// Selects the first item whose trimmed text equals the trimmed value; when
// none does, the trimmed value is added as a new last item and selected.
void selectOrAddItem(const QString &value, ChoiceList &list);
