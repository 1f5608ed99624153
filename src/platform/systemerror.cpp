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
        return u"アクセス権がありません"_s;
    case EROFS:
        return u"読み取り専用の場所です"_s;
    case ENOSPC:
    case EDQUOT:
        return u"ディスクがいっぱいです"_s;
    case ENOENT:
        return u"ファイルまたはフォルダーがありません"_s;
    case ENOTDIR:
        return u"フォルダーではありません"_s;
    case EISDIR:
        return u"同じ名前のフォルダーがあります"_s;
    case EIO:
        return u"ディスクの読み書きに失敗しました"_s;
    case ETXTBSY:
    case EBUSY:
        return u"ファイルが使用中です"_s;
    case ENAMETOOLONG:
        return u"ファイル名が長すぎます"_s;
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return u"システムの資源が足りません"_s;
    default:
        return QString::fromLocal8Bit(std::strerror(errnum)) + u" (errno "_s +
               QString::number(errnum) + u')';
    }
}

} // namespace SystemError
