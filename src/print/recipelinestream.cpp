#include "print/recipelinestream.h"

#include "platform/systemerror.h"
#include "platform/textfile.h"

#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

std::optional<RecipeLineStream::Stamp> RecipeLineStream::stamp(const QString &path)
{
    Stamp s;
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    s.size = st.st_size;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    s.inode = st.st_ino;
    s.device = st.st_dev;
#else
    const QFileInfo info(path);
    if (!info.exists())
        return std::nullopt;
    s.size = info.size();
    s.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
    s.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * 1000000;
#endif
    return s;
}

bool RecipeLineStream::open(qint64 offset)
{
    m_file.setFileName(m_path);
    m_error.clear();
    if (!m_file.exists()) {
        m_error = u"レシピファイル[%1]が見つかりません。"_s.arg(m_path);
        return false;
    }
    // A pipe would block and a device never end: only regular files.
    if (const TextFile::ContentResult check = TextFile::checkReadable(m_path);
        check.error != TextFile::Error::None) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_path, check.errorText);
        return false;
    }
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_path, m_file.errorString());
        return false;
    }
    m_size = m_file.size();
    return seek(offset);
}

bool RecipeLineStream::seek(qint64 offset)
{
    m_buffer.clear();
    m_bufferAt = 0;
    if (!m_file.seek(offset)) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_file.fileName(),
                                                                  m_file.errorString());
        return false;
    }
    m_offset = offset;
    return true;
}

bool RecipeLineStream::fill()
{
    m_buffer = m_file.read(64 * 1024);
    m_bufferAt = 0;
    if (m_file.error() == QFileDevice::NoError)
        return true;
    m_error =
        u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_file.fileName(), m_file.errorString());
    return false;
}

bool RecipeLineStream::readLine(QByteArray &line)
{
    if (atEnd())
        return false;
    line.clear();
    qint64 consumed = 0;
    for (;;) {
        if (m_bufferAt == m_buffer.size()) {
            if (!fill())
                return false;
            if (m_buffer.isEmpty()) {
                if (consumed > 0)
                    break; // the last line has no line end
                // Shorter than it was when opened.
                m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_file.fileName(),
                                                                          SystemError::text(EIO));
                return false;
            }
        }
        const char *begin = m_buffer.constData() + m_bufferAt;
        const char *end = m_buffer.constData() + m_buffer.size();
        const char *stop = std::find_if(begin, end, [](char c) { return c == '\r' || c == '\n'; });
        line.append(begin, stop - begin);
        consumed += stop - begin;
        m_bufferAt += stop - begin;
        if (stop == end)
            continue;
        ++m_bufferAt;
        ++consumed;
        // CR LF, LF, or CR alone (old Macintosh files).
        if (*stop == '\r') {
            if (m_bufferAt == m_buffer.size() && !fill())
                return false;
            if (m_bufferAt < m_buffer.size() && m_buffer.at(m_bufferAt) == '\n') {
                ++m_bufferAt;
                ++consumed;
            }
        }
        break;
    }
    m_offset += consumed;
    return true;
}
