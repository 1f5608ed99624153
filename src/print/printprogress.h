#pragma once

// Where a print run reports how far it got and learns that the user wants
// it to end after the current sheet.
class PrintProgress
{
public:
    virtual ~PrintProgress() = default;
    // A sheet (one side of paper) is about to be drawn; page is the first
    // refill page on it.
    virtual void sheetStarted(int sheet, int page) = 0;
    virtual bool cancelRequested() const = 0;
};
