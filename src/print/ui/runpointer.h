#pragma once

// The mouse pointer during a print run: the busy pointer from the start of
// the run and of every sheet, the normal one while the preview waits for the
// user and after the run. Calls need not pair up.
namespace RunPointer {
void busy();
void normal();
} // namespace RunPointer
