#pragma once

#include <QString>
#include <QStringList>

class DrawSurface;
struct PageLayout;

// The one-point pictures of the "pic" folder beside the program, placed in
// turn on the footer line of successive pages.
namespace PagePicture {

// The pictures of the folder, sorted by name so the rotation is predictable.
QStringList listPictures(const QString &folder);

// Places the next picture (counting down through the folder, wrapping) in
// the column from left to right, standing on FOOT_HEIGHT. Nothing when the
// folder is missing or empty, or the picture cannot be read.
void drawPageBackground(DrawSurface &surface, const PageLayout &layout, double left, double right);
// Same, with the pictures of `folder` (ending in "/").
void drawPageBackground(DrawSurface &surface, const PageLayout &layout, double left, double right,
                        const QString &folder);

} // namespace PagePicture
