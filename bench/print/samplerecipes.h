#pragma once

#include "print/engine/pagelayout.h"

#include <QString>

// Recipe files and layouts for the print demo and benchmark.
namespace SampleRecipes {

// The default layout of a paper format, through a settings file written in
// folder as a first start writes it.
PageLayout defaultLayout(const QString &folder, int paperNumber);

// A few recipes that show what a page can hold (pictures wide and tall, no
// picture, numbered steps, a method too long for one page, a recipe marked
// not to print, the three sample rows), then `extra` plain ones; the
// pictures are written beside the file.
bool writeShowcase(const QString &path, int extra);

// `count` generated recipes of a realistic size, some with numbered steps.
bool writeGenerated(const QString &path, int count);

} // namespace SampleRecipes
