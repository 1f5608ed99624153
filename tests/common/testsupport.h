#pragma once

#include "platform/clock.h"
#include "platform/prompts.h"
#include "platform/textclipboard.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// Prompts that record every message and answer from a queue (default: the
// default answer of each message; cancel for input boxes).
class ScriptedPrompts : public Prompts
{
public:
    struct Shown
    {
        QString text;
        Icon icon;
        Buttons buttons;
        Answer defaultAnswer;
        QString title;
    };

    Answer message(const QString &text, Icon icon = Icon::None, Buttons buttons = Buttons::Ok,
                   Answer defaultAnswer = Answer::Ok, const QString &title = QString()) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &initial = QString()) override;

    QList<Shown> shown;
    QList<Answer> answers;                // taken front first
    QList<std::optional<QString>> inputs; // taken front first
    QStringList inputPrompts;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.back().text; }
};

class FixedClock : public Clock
{
public:
    explicit FixedClock(QDateTime when = QDateTime(QDate(2026, 12, 8), QTime(9, 0))) : when(when) {}
    QDateTime now() const override { return when; }
    QDateTime when;
};

// A clipboard that holds text in memory.
class StringClipboard : public TextClipboard
{
public:
    bool hasText() const override { return held; }
    QString text() const override { return content; }
    void setText(const QString &text) override
    {
        content = text;
        held = true;
    }
    void clear() override
    {
        content.clear();
        held = false;
    }
    QString content;
    bool held = false;
};

// A temporary program folder that QVRECIPE_HOME points at while it lives.
class TempProgramFolder
{
public:
    TempProgramFolder();
    ~TempProgramFolder();
    QString path() const; // ends in "/"
    QString file(const QString &name) const { return path() + name; }
    void write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldHome;
    QString m_oldCurrent;
};

// Encodes UTF-8 text from a test as CP932 bytes with CR LF line ends.
QByteArray cp932Lines(const QStringList &lines);
