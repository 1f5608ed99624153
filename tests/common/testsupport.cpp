#include "testsupport.h"

#include "platform/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

Prompts::Answer ScriptedPrompts::message(const QString &text, Icon icon, Buttons buttons,
                                         Answer defaultAnswer, const QString &title)
{
    shown.append({text, icon, buttons, defaultAnswer, title});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultAnswer;
}

std::optional<QString> ScriptedPrompts::input(const QString &title, const QString &prompt,
                                              const QString &initial)
{
    Q_UNUSED(title);
    Q_UNUSED(initial);
    inputPrompts.append(prompt);
    if (!inputs.isEmpty())
        return inputs.takeFirst();
    return std::nullopt;
}

TempProgramFolder::TempProgramFolder()
    : m_oldHome(qgetenv("QVRECIPE_HOME")), m_oldCurrent(QDir::currentPath())
{
    qputenv("QVRECIPE_HOME", QFile::encodeName(m_dir.path()));
    QDir::setCurrent(m_dir.path());
}

TempProgramFolder::~TempProgramFolder()
{
    QDir::setCurrent(m_oldCurrent);
    if (m_oldHome.isEmpty())
        qunsetenv("QVRECIPE_HOME");
    else
        qputenv("QVRECIPE_HOME", m_oldHome);
}

QString TempProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

void TempProgramFolder::write(const QString &name, const QByteArray &bytes) const
{
    QFile f(file(name));
    QDir().mkpath(QFileInfo(f).absolutePath());
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempProgramFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray cp932Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += Cp932::encodeLossy(line);
        out += "\r\n";
    }
    return out;
}
