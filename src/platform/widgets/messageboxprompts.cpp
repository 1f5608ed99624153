#include "platform/widgets/messageboxprompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

static QMessageBox::StandardButton toButton(Prompts::Answer answer)
{
    switch (answer) {
    case Prompts::Answer::Ok:
        return QMessageBox::Ok;
    case Prompts::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompts::Answer::Yes:
        return QMessageBox::Yes;
    case Prompts::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

Prompts::Answer MessageBoxPrompts::message(const QString &text, Icon icon, Buttons buttons,
                                           Answer defaultAnswer, const QString &title)
{
    QMessageBox box(m_parent);
    box.setText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    box.setWindowTitle(title.isEmpty() ? QApplication::applicationName() : title);
    box.setIcon(icon == Icon::Information   ? QMessageBox::Information
                : icon == Icon::Exclamation ? QMessageBox::Warning
                                            : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    box.setDefaultButton(toButton(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> MessageBoxPrompts::input(const QString &title, const QString &prompt,
                                                const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(
        m_parent, title, QString(prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")),
        QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
