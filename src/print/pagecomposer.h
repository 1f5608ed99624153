#pragma once

#include <QList>
#include <QString>

#include <functional>

// What the print job asks of the page composer: one refill page of the run,
// drawn into one strip of the current sheet. Everything the composer needs
// comes in here; it never reads a window.
struct PageRequest
{
    int layoutType = 1;      // 1..7: the position + 1 of the chosen print layout
    int page = 1;            // 1-based page number within the run
    double left = 0;         // the strip of the sheet, millimetres
    double right = 0;
    int startRecord = -1;    // -1, or the running number of the first record to print
    QString categoryLabel;   // the list's view name, trimmed, for the title bands
    bool continuationAllowed = false; // a layout-1 overflow may go on the back
    QString recipeFile;      // the recipe file to read
    QString programFolder;   // pictures and relative names are resolved here
};

// A recipe of which some text was not printed because it did not fit.
struct UnfitRecipe
{
    QString name;   // the dish name
    int record = 0; // its running number in the file (the header is 1)
    bool operator==(const UnfitRecipe &) const = default;
};

struct PageResult
{
    bool done = false; // no record lies beyond this page
    QString error;     // not empty: the run cannot go on (the file vanished or cannot be read)
    QList<UnfitRecipe> unfit{}; // recipes of this page that did not fit completely
};

// The composer as the print job sees it; tests of the job put a fake here.
class PageComposer
{
public:
    // The paper-handling prompt between sheets (modes 0 to 2); false = stop.
    using SheetPrompt = std::function<bool(int mode)>;

    virtual ~PageComposer() = default;
    virtual PageResult composeRecipePage(const PageRequest &request) = 0;
};
