#include "print/recipepagecomposer.h"

#include "platform/cp932.h"
#include "platform/programfolder.h"
#include "print/engine/drawsurface.h"
#include "print/engine/framedecoration.h"
#include "print/engine/pagepicture.h"
#include "print/engine/textlayout.h"
#include "print/pagegeometry.h"
#include "print/recipepagetexts.h"
#include "print/recordpainter.h"
#include "recipe/recipefilelayout.h"
#include "recipe/reciperecord.h"
#include "recipe/recordcodec.h"

using namespace Qt::StringLiterals;

RecipePageComposer::RecipePageComposer(DrawSurface &surface, const PageLayout &layout,
                                       SheetPrompt prompt)
    : m_s(surface), m_layout(layout), m_prompt(std::move(prompt))
{}

bool RecipePageComposer::openScan(RecipeLineStream &stream, const PageRequest &r, ScanState &scan)
{
    const ScanKey key{stream.path(), r.layoutType, r.startRecord, m_layout};
    const auto stamp = RecipeLineStream::stamp(key.path);
    if (!stamp || !(key == m_key) || !(*stamp == m_stamp)) {
        m_pageStarts.clear();
        m_key = key;
        m_stamp = stamp.value_or(RecipeLineStream::Stamp{});
    }
    scan = ScanState{};
    scan.startRecord = r.startRecord;
    // So that the first printable record opens page 1.
    scan.slotBottom = m_layout.FOOT_HEIGHT + 10;
    if (!stream.open())
        return false;

    auto it = m_pageStarts.upperBound(r.page);
    if (it == m_pageStarts.begin())
        return true;
    --it;
    // The stamp cannot see an edit in place within the clock's granularity;
    // the page's first record must still be what it was.
    QByteArray line;
    if (stream.seek(it->scan.offset) && stream.readLine(line) && line == it->line &&
        stream.seek(it->scan.offset)) {
        scan = it->scan;
        return true;
    }
    m_pageStarts.clear();
    return stream.seek(0);
}

PageResult RecipePageComposer::composeRecipePage(const PageRequest &r)
{
    const PageLayout &l = m_layout;
    PageResult result;
    m_linesRead = 0;
    QString folder = r.programFolder.isEmpty() ? ProgramFolder::path() : r.programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString path = ProgramFolder::resolve(r.recipeFile, folder);
    const QString categoryLabel = r.categoryLabel.trimmed();

    m_s.setScaleMode(6);
    PagePicture::drawPageBackground(m_s, l, r.left, r.right, folder + u"pic/"_s);
    m_s.setForeColor(l.DEFAULT_COLOR);
    m_s.setFontName(l.DEFAULT_FONTNAME);
    m_s.setFontSize(l.DEFAULT_FONTSIZE);

    // A file that is gone or cannot be read ends the run.
    const auto fail = [&](const QString &error) {
        m_pageStarts.clear();
        m_key = {};
        result.error = error;
        result.done = true;
        return result;
    };
    RecipeLineStream stream(path);
    ScanState st;
    if (!openScan(stream, r, st))
        return fail(stream.error());

    const double slotHeight = PageGeometry::slotHeight(r.layoutType, l);
    RecordPainter painter(m_s, l);
    RecipeRecord record;
    QByteArray raw;
    double footerLeft = r.left;
    double footerRight = r.right;
    bool sheetFinished = false;
    result.done = stream.atEnd();
    while (!stream.atEnd()) {
        ScanState before = st;
        before.offset = stream.offset();
        if (!stream.readLine(raw))
            return fail(stream.error());
        ++m_linesRead;
        result.done = stream.atEnd();
        if (raw.startsWith('@'))
            continue;
        QString decoded;
        if (!st.headerSeen) {
            // A file without its header starts with a recipe, numbered 2 as
            // the list numbers it.
            st.headerSeen = true;
            decoded = Cp932::decode(RecipeFileLayout::withoutByteOrderMark(raw).toByteArray());
            if (RecipeFileLayout::isHeaderLine(decoded))
                continue;
        } else {
            decoded = Cp932::decode(raw);
        }
        ++st.runningNumber;
        RecordCodec::splitRecordLine(decoded, record);
        // The first switch of フラグ: do not print this recipe.
        bool printable = !record.field(RecipeRecord::Flags).startsWith(u'1');
        if (st.startRecord != -1) {
            if (st.runningNumber == st.startRecord)
                st.startRecord = -1;
            else
                printable = false;
        }
        if (!printable)
            continue;

        st.slotBottom += slotHeight;
        if (st.slotBottom > l.FOOT_HEIGHT) {
            ++st.pageCounter;
            st.slotBottom = l.DATA_HEIGHT + 1 + slotHeight;
            if (!m_pageStarts.contains(st.pageCounter))
                m_pageStarts.insert(st.pageCounter, {before, raw});
        }
        if (st.pageCounter > r.page) {
            result.done = false;
            break;
        }
        if (st.pageCounter < r.page)
            continue;
        const RecordPainter::Slot slot{r.layoutType, r.left, r.right, st.slotBottom - slotHeight,
                                       slotHeight};
        const QString rest = painter.draw(record, slot, categoryLabel, path);
        bool fitted = !painter.overflowed();
        double markRight = r.right;
        if (!rest.isEmpty() && r.continuationAllowed) {
            bool backFitted = true;
            if (continueOnBack(rest, r.left, r.right, backFitted)) {
                footerLeft = 0;
                footerRight = r.right - r.left;
                markRight = footerRight;
            } else {
                sheetFinished = true;
            }
            fitted = fitted && backFitted;
        } else if (!rest.isEmpty()) {
            fitted = false; // no back to go on to: the rest is dropped
        }
        if (!fitted) {
            result.unfit.append({record.field(RecipeRecord::DishName), st.runningNumber});
            if (!sheetFinished)
                m_s.markUnfitSlot(markRight, slot.top);
        }
    }

    if (r.layoutType == 7)
        Decoration::drawTitleBand(m_s, l, RecipePageTexts::categoryTitle(categoryLabel), r.left,
                                  r.right);
    if (!sheetFinished)
        Decoration::drawFooter(m_s, l, QString(), footerLeft, footerRight);
    return result;
}

bool RecipePageComposer::continueOnBack(const QString &rest, double left, double right,
                                        bool &allFitted)
{
    allFitted = false;
    const PageLayout &l = m_layout;
    Decoration::drawFooter(m_s, l, QString(), left, right);
    m_s.finishSheet();
    if (m_prompt && !m_prompt(1)) {
        // The rest is dropped; the front went out already and nothing of
        // this page is left to show or print again.
        m_s.pagePrinted = 0;
        return false;
    }
    m_s.beginSheet();
    m_s.setSheetOffset(LayoutSettings::alignmentOffsetMm(l, true));
    // The binding margin is on the other side of the back.
    const double width = right - left;
    Decoration::drawTitleBand(m_s, l, QString(), 0, width);
    m_s.setForeColor(l.DEFAULT_COLOR);
    m_s.setFontName(l.DATA_FONTNAME);
    m_s.setFontSize(l.DATA_FONTSIZE - 1);
    m_s.setCurrentX(0);
    m_s.setCurrentY(l.DATA_HEIGHT + 1);
    // What still does not fit is dropped.
    allFitted =
        TextLayout::nothingLeft(TextLayout::layoutTextBox(m_s, l, rest, width, l.FOOT_HEIGHT - 1));
    return true;
}
