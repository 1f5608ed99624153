#pragma once

#include <QString>

namespace SystemError {

// What the system reported, in Japanese for the reasons a user can act on
// (no permission, read-only, disk full, I/O error, missing file or folder),
// else the system's text with the error number. No closing full stop.
QString text(int errnum);

} // namespace SystemError
