#pragma once

#include <QString>

class Prompts;
class PrintProgress;

// The paper-handling question between sheets (promptNextSheet): mode 0 a
// new sheet front side up, 1 the same sheet turned over, 2 the next sheet.
// True = go on. Once the user stopped, every later call says stop too, so a
// Cancel ends the run after the current sheet wherever it was given.
class NextSheetPrompt
{
public:
    NextSheetPrompt(Prompts &prompts, bool showPrintConfirm, PrintProgress *progress = nullptr)
        : m_prompts(prompts), m_showPrintConfirm(showPrintConfirm), m_progress(progress)
    {}

    bool operator()(int mode);

    // The message of a mode; empty for a mode other than 0 to 2.
    static QString text(int mode);
    // True once a prompt or the progress window's Cancel stopped the run.
    bool stopped() const { return m_stopped; }

private:
    Prompts &m_prompts;
    bool m_showPrintConfirm;
    PrintProgress *m_progress;
    bool m_stopped = false;
};
