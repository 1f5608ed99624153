#pragma once

#include "app/appstate.h"
#include "platform/singleinstance.h"

#include <QSize>
#include <QString>

#include <optional>

class Prompts;

// What start-up needs from the frame window and the machine.
class StartupHost
{
public:
    virtual ~StartupHost() = default;
    // Full path of the program file (its name gives programName).
    virtual QString programFilePath() const = 0;
    virtual void setCaption(const QString &caption) = 0;
    virtual QSize screenSizeTwips() const = 0;
    virtual QSize windowSizeTwips() const = 0;
    virtual void moveWindowTwips(int left, int top) = 0;
    // False only when printing support itself is missing: output can always
    // go to a PDF file, so a machine without printers still prints.
    virtual bool printingAvailable() const = 0;
    // The default printer's unprintable left border in millimetres, when the
    // platform can tell.
    virtual std::optional<double> printerLeftOffsetMm() const = 0;
    // Takes the one-copy-per-program-folder lock.
    virtual SingleInstance::Outcome acquireSingleInstance(const QString &programDir) = 0;
};

namespace Startup {

inline constexpr const char16_t *version = u"2.01.00";

enum Result { Normal = 0, FirstRun = 1, Upgraded = 2, AlreadyRunning = -1, CannotStart = -2 };

// Fills the AppState, prepares the folders and the settings file, moves the
// window. Returns FirstRun, Upgraded or Normal; AlreadyRunning and
// CannotStart (a program folder that cannot be made or written) mean the
// process must end, the message has been shown.
//
// A settings file that cannot be read or written is named in one message;
// the program then runs on the layout defaults (unreadable) or on what the
// file holds (unwritable), and neither counts as an upgrade.
int runStartup(AppState &state, StartupHost &host, Prompts &prompts, const QString &versionText);

// Writes the vocabulary file when start-up asks for it or when it is missing;
// the message to show when that failed, or empty text.
QString ensureVocabularyFile(const AppState &state, int startupResult);

// Decides from the command line whether the clipboard analysis runs.
bool wantsClipboardAnalysis(const QString &caption, const QString &programName,
                            const QString &commandLine);

// Stores the window position (twips) when the window is in its normal state;
// the message to show when that failed, or empty text.
QString saveWindowPosition(AppState &state, bool normalState, int leftTwips, int topTwips);

} // namespace Startup
