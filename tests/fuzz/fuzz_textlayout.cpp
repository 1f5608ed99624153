// The text layout with markup, page after page, and the wrapped printing
// with colour controls, on the recording target.
#include "fuzzinput.h"
#include "print/engine/drawsurface.h"
#include "print/engine/pagelayout.h"
#include "print/engine/recordingtarget.h"
#include "print/engine/textlayout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    // The first bytes choose the font size and the box.
    const double fontSize = 1 + data[0] % 40;
    const double width = 1 + data[1] % 120;
    const double height = 1 + data[2] % 200;
    QString text = FuzzInput::text(data + 3, size - 3);

    PageLayout layout;
    layout.DEFAULT_COLOR = data[0] % 21;
    layout.DATA_COLOR = data[1] % 21;
    RecordingTarget target;
    DrawSurface surface(&target, &target);
    surface.setFontSize(fontSize);
    // What does not fit goes to the next page, as the page composer does;
    // a box too small for a line gives the text back unchanged.
    for (int page = 0; page < 20 && !text.isEmpty(); ++page) {
        surface.setCurrentX(10);
        surface.setCurrentY(10);
        const QString rest =
            TextLayout::layoutTextBox(surface, layout, text, 10 + width, 10 + height);
        if (rest == text)
            break;
        text = rest;
        target.items.clear();
    }
    surface.setCurrentX(10);
    surface.setCurrentY(10);
    TextLayout::printWrapped(surface, FuzzInput::text(data + 3, size - 3), 10 + width);
    return 0;
}
