#pragma once

#include <QString>

namespace SystemError {

// What the system reported, in Japanese for the reasons a user can act on
// (no permission, read-only, disk full, missing folder), else the system's text.
QString text(int errnum);

} // namespace SystemError
