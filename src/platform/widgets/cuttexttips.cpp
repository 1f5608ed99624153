#include "platform/widgets/cuttexttips.h"

#include <QComboBox>
#include <QHelpEvent>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace {

class TipFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::ToolTip)
            return false;
        const auto *help = static_cast<QHelpEvent *>(event);
        QWidget *widget = static_cast<QWidget *>(watched);
        QString text;
        if (auto *combo = qobject_cast<QComboBox *>(watched))
            text = cutComboText(combo);
        else if (auto *list = qobject_cast<QListWidget *>(watched->parent()))
            text = cutEntryText(list, help->pos());
        if (text.isEmpty()) {
            // Nothing is cut: the control's own tooltip, if it has one.
            QToolTip::hideText();
            return widget->toolTip().isEmpty();
        }
        QToolTip::showText(help->globalPos(), text, widget);
        return true;
    }

private:
    static QString cutComboText(const QComboBox *combo)
    {
        const QString text = combo->currentText();
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.currentText = text;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        return combo->fontMetrics().horizontalAdvance(text) > field.width() ? text : QString();
    }

    static QString cutEntryText(const QListWidget *list, const QPoint &at)
    {
        const QListWidgetItem *item = list->itemAt(at);
        if (!item)
            return {};
        const QRect shown = list->visualItemRect(item).intersected(list->viewport()->rect());
        // The entry's margins take a few pixels on each side.
        const int needed = list->fontMetrics().horizontalAdvance(item->text()) + 8;
        return needed > shown.width() ? item->text() : QString();
    }
};

} // namespace

namespace CutTextTips {

void install(QComboBox *combo)
{
    combo->installEventFilter(new TipFilter(combo)); // gone with the control
}

void install(QListWidget *list)
{
    list->viewport()->installEventFilter(new TipFilter(list));
}

} // namespace CutTextTips
