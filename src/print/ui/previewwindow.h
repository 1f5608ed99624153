#pragma once

#include <QDialog>
#include <QImage>

#include <functional>

class Prompts;
class QCheckBox;
class QScrollBar;
struct PageLayout;

// The preview window (QVprintV): one finished sheet of a preview run as an
// A4-proportioned page picture in a scrolling viewport, with a guide frame
// over the refill's outline. OK goes on to the next sheet.
class PreviewWindow : public QDialog
{
    Q_OBJECT
public:
    // The page picture's width in pixels; it stands for the sheet's 210 mm.
    static constexpr int pictureWidth = 900;
    static constexpr double sheetWidthMm = 210;

    PreviewWindow(Prompts &prompts, QWidget *parent = nullptr);

    // Shows the sheet modally until the user presses OK (true) or closes the
    // window (false: the run is to end after this sheet).
    bool showSheet(const QImage &picture, const PageLayout &layout, int previewGuide);

    // Places the guide frame and shows or hides it.
    void showGuideFrame(bool show);

    // cmd_end, once the user confirmed; the default ends the process at once.
    std::function<void()> endProgram;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class PagePicture;

    void placeScrollBars();
    void confirmEnd();

    Prompts &m_prompts;
    QWidget *m_viewport = nullptr;    // Pic2
    PagePicture *m_picture = nullptr; // Pic1
    QWidget *m_guide = nullptr;       // Shape1
    QScrollBar *m_hScroll = nullptr;  // HScroll1
    QScrollBar *m_vScroll = nullptr;  // VScroll1
    QCheckBox *m_showGuide = nullptr; // Chk_waku
    double m_guideWidthMm = 0;
    double m_guideHeightMm = 0;
    int m_previewGuide = 1;
    bool m_placed = false;
};
