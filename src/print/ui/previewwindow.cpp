#include "print/ui/previewwindow.h"

#include "platform/prompts.h"
#include "print/engine/pagelayout.h"
#include "print/ui/runpointer.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

// The page picture, drawn at the widget's size.
class PreviewWindow::PagePicture : public QWidget
{
public:
    using QWidget::QWidget;
    QImage picture;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (!picture.isNull()) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(rect(), picture);
        }
    }
};

namespace {

// A rectangle outline, as a shape on the picture.
class FrameShape : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(QColor(0, 0, 255), 1, Qt::DashLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

PreviewWindow::PreviewWindow(Prompts &prompts, QWidget *parent)
    : QDialog(parent), m_prompts(prompts)
{
    setObjectName(u"QVprintV"_s);
    setWindowTitle(u"プレビュー"_s);
    endProgram = [] { std::_Exit(0); };

    m_viewport = new QWidget(this);
    m_viewport->setObjectName(u"Pic2"_s);
    m_viewport->setAutoFillBackground(true);
    m_viewport->installEventFilter(this);
    // A4 proportions whatever the viewport's size.
    m_picture = new PagePicture(m_viewport);
    m_picture->setObjectName(u"Pic1"_s);
    m_picture->setGeometry(0, 0, pictureWidth, int(std::lround(pictureWidth * 297.0 / 210.0)));
    m_guide = new FrameShape(m_picture);
    m_guide->setObjectName(u"Shape1"_s);
    m_guide->setAttribute(Qt::WA_TransparentForMouseEvents);
    for (int i = 0; i < 2; ++i) {
        auto *mark = new FrameShape(m_picture);
        mark->setObjectName(u"Shape2_%1"_s.arg(i));
        mark->hide();
    }

    m_vScroll = new QScrollBar(Qt::Vertical, this);
    m_vScroll->setObjectName(u"VScroll1"_s);
    m_hScroll = new QScrollBar(Qt::Horizontal, this);
    m_hScroll->setObjectName(u"HScroll1"_s);
    connect(m_hScroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_picture->move(-value, m_picture->y()); });
    connect(m_vScroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_picture->move(m_picture->x(), -value); });

    m_showGuide = new QCheckBox(u"枠ガイド表示"_s, this);
    m_showGuide->setObjectName(u"Chk_waku"_s);
    m_showGuide->setChecked(true);
    connect(m_showGuide, &QCheckBox::clicked, this,
            [this] { showGuideFrame(m_showGuide->isChecked()); });
    auto *ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"Cmd_ok"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] {
        RunPointer::busy();
        accept();
    });
    auto *end = new QPushButton(u"ソフト強制終了"_s, this);
    end->setObjectName(u"cmd_end"_s);
    end->setAutoDefault(false);
    connect(end, &QPushButton::clicked, this, [this] { confirmEnd(); });

    // The viewport fits the screen; the picture scrolls inside it.
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1024, 768);
    m_viewport->setMinimumSize(200, 200);
    m_viewport->resize(std::min(760, screen.width() - 80), std::min(720, screen.height() - 140));

    auto *grid = new QGridLayout;
    grid->setSpacing(0);
    grid->addWidget(m_viewport, 0, 0);
    grid->addWidget(m_vScroll, 0, 1);
    grid->addWidget(m_hScroll, 1, 0);
    auto *controls = new QHBoxLayout;
    controls->addWidget(m_showGuide);
    controls->addStretch();
    controls->addWidget(ok);
    controls->addWidget(end);
    auto *top = new QVBoxLayout(this);
    top->addLayout(grid, 1);
    top->addLayout(controls);
    m_viewport->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(m_viewport->width() + m_vScroll->sizeHint().width() + 24,
           m_viewport->height() + m_hScroll->sizeHint().height() + ok->sizeHint().height() + 40);
}

bool PreviewWindow::showSheet(const QImage &picture, const PageLayout &layout, int previewGuide)
{
    m_picture->picture = picture;
    m_picture->update();
    m_guideWidthMm = layout.WIDTH + layout.YOHAKU;
    m_guideHeightMm = layout.usableHeight;
    m_previewGuide = previewGuide;
    return exec() == Accepted;
}

void PreviewWindow::showGuideFrame(bool show)
{
    const double pixelsPerMm = m_picture->width() / sheetWidthMm;
    m_guide->setGeometry(0, 0, int(std::lround(m_guideWidthMm * pixelsPerMm)),
                         int(std::lround(m_guideHeightMm * pixelsPerMm)));
    findChild<QWidget *>(u"Shape2_0"_s)->hide();
    findChild<QWidget *>(u"Shape2_1"_s)->hide();
    // Sheets of several refill pages have no single outline to show.
    m_guide->setVisible(m_previewGuide == 1 && show);
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    if (!m_placed) {
        m_placed = true;
        const QRect screen = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->availableGeometry()
                                 : QRect(0, 0, 1024, 768);
        move(screen.center() - QPoint(width() / 2, height() / 2));
    }
    RunPointer::normal();
    showGuideFrame(m_showGuide->isChecked());
    QDialog::showEvent(event);
}

void PreviewWindow::placeScrollBars()
{
    const int dy = m_picture->height() - m_viewport->height();
    m_vScroll->setMaximum(std::max(0, dy));
    m_vScroll->setPageStep(std::max(1, int(std::lround(dy / 2.0))));
    m_vScroll->setSingleStep(std::max(1, int(std::lround(dy / 4.0))));
    m_vScroll->setEnabled(dy > 0);
    const int dx = m_picture->width() - m_viewport->width();
    m_hScroll->setMaximum(std::max(0, dx));
    m_hScroll->setPageStep(20);
    m_hScroll->setSingleStep(5);
    m_hScroll->setEnabled(dx > 0);
    m_picture->move(-m_hScroll->value(), -m_vScroll->value());
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_viewport) {
        if (event->type() == QEvent::Resize)
            placeScrollBars();
        else if (event->type() == QEvent::Wheel)
            return QCoreApplication::sendEvent(m_vScroll, event);
    }
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::confirmEnd()
{
    if (m_prompts.message(u"ソフトを強制終了します。"_s, Prompts::Icon::Exclamation,
                          Prompts::Buttons::OkCancel,
                          Prompts::Answer::Cancel) == Prompts::Answer::Ok)
        endProgram();
}
