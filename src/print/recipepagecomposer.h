#pragma once

#include "print/engine/pagelayout.h"
#include "print/pagecomposer.h"
#include "print/recipelinestream.h"

#include <QMap>

class DrawSurface;

// Draws the recipes that fall on one refill page: reads the recipe file,
// counts the pages from the first record and draws the records of the
// requested page in its strip. A layout-1 recipe whose method does not fit
// goes on over the back of the sheet when the request allows it.
//
// Every page is counted from the file's start, but the count is kept between
// calls: while the file stays unchanged, a later call resumes the scan at the
// page it asks for (or the nearest page before it) instead of rereading the
// file from its first line, so a run costs time in proportion to its length.
class RecipePageComposer : public PageComposer
{
public:
    RecipePageComposer(DrawSurface &surface, const PageLayout &layout, SheetPrompt prompt);

    PageResult composeRecipePage(const PageRequest &request) override;

    // Lines of the file the last call read.
    qint64 linesReadLastCall() const { return m_linesRead; }

private:
    // The scan between two lines of the file.
    struct ScanState
    {
        qint64 offset = 0;
        bool headerSeen = false;
        int runningNumber = 1; // of the last data row read; the header is 1
        int startRecord = -1;  // still to be met, or -1
        int pageCounter = 0;
        double slotBottom = 0;
    };
    // What the page count depends on besides the file's content.
    struct ScanKey
    {
        QString path;
        int layoutType = 0;
        int startRecord = -1;
        PageLayout layout;

        bool operator==(const ScanKey &) const = default;
    };

    struct PageStart
    {
        ScanState scan;
        QByteArray line; // the record that opens the page
    };

    // Opens the file where the scan for the requested page can start.
    bool openScan(RecipeLineStream &stream, const PageRequest &request, ScanState &scan);
    // Goes on over the back of the sheet; false when the user stopped.
    // allFitted tells whether the rest fitted on the back.
    bool continueOnBack(const QString &rest, double left, double right, bool &allFitted);

    DrawSurface &m_s;
    const PageLayout &m_layout;
    SheetPrompt m_prompt;

    ScanKey m_key;
    RecipeLineStream::Stamp m_stamp;
    // The scan just before the record that opens each page.
    QMap<int, PageStart> m_pageStarts;
    qint64 m_linesRead = 0;
};
