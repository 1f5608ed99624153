#include "print/recipelinestream.h"

#include <QFileInfo>

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
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_path, m_file.errorString());
        return false;
    }
    m_size = m_file.size();
    return seek(offset);
}

bool RecipeLineStream::seek(qint64 offset)
{
    if (!m_file.seek(offset)) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_file.fileName(),
                                                                  m_file.errorString());
        return false;
    }
    m_offset = offset;
    return true;
}

bool RecipeLineStream::readLine(QByteArray &line)
{
    if (atEnd())
        return false;
    line = m_file.readLine();
    // readLine gives an empty array both at a read error and on a short read.
    if (m_file.error() != QFileDevice::NoError || line.isEmpty()) {
        m_error = u"レシピファイル[%1]を読めません。\r\n%2"_s.arg(m_file.fileName(),
                                                                  m_file.errorString());
        return false;
    }
    m_offset += line.size();
    if (line.endsWith('\n'))
        line.chop(line.endsWith("\r\n") ? 2 : 1);
    return true;
}
