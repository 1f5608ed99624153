#pragma once

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

// Prompts answered by real message boxes and input boxes.
class MessageBoxPrompts : public Prompts
{
public:
    explicit MessageBoxPrompts(QWidget *parent = nullptr) : m_parent(parent) {}

    Answer message(const QString &text, Icon icon, Buttons buttons, Answer defaultAnswer,
                   const QString &title) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &initial) override;

    void setParent(QWidget *parent) { m_parent = parent; }

private:
    QPointer<QWidget> m_parent;
};
