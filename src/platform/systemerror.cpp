#include "platform/systemerror.h"

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace SystemError {

QString text(int errnum)
{
    switch (errnum) {
    case EACCES:
    case EPERM:
        return u"書き込みの権限がありません"_s;
    case EROFS:
        return u"読み取り専用の場所です"_s;
    case ENOSPC:
        return u"ディスクがいっぱいです"_s;
    case ENOENT:
        return u"フォルダーがありません"_s;
    case ENOTDIR:
        return u"フォルダーではありません"_s;
    case EISDIR:
        return u"同じ名前のフォルダーがあります"_s;
    case EIO:
        return u"ディスクの読み書きに失敗しました"_s;
    default:
        return QString::fromLocal8Bit(std::strerror(errnum));
    }
}

} // namespace SystemError
