#include "print/nextsheetprompt.h"

#include "platform/prompts.h"
#include "print/printprogress.h"

#include <array>

using namespace Qt::StringLiterals;

QString NextSheetPrompt::text(int mode)
{
    static const std::array<std::array<QString, 2>, 3> lines = {{
        {u"裏面の印刷が終了するのを待ってください。"_s, u"新しい用紙を表面にセットして、"_s},
        {u"表面の印刷が終わるのを待ってください。"_s, u"用紙を裏面にセットして、"_s},
        {u"印刷が終わるのを待ってください。"_s, u"用紙をセットして、"_s},
    }};
    if (mode < 0 || mode > 2)
        return QString();
    const auto &l = lines[std::size_t(mode)];
    return l[0] + u"\r\n\r\n"_s + l[1] + u"\r\nＯＫを押してください。"_s;
}

bool NextSheetPrompt::operator()(int mode)
{
    if (m_stopped || (m_progress && m_progress->cancelRequested())) {
        m_stopped = true;
        return false;
    }
    if (!m_showPrintConfirm)
        return true;
    const QString message = text(mode);
    const bool goOn =
        !message.isEmpty() &&
        m_prompts.message(message, Prompts::Icon::Information, Prompts::Buttons::OkCancel,
                          Prompts::Answer::Ok) == Prompts::Answer::Ok;
    m_stopped = !goOn;
    return goOn;
}
