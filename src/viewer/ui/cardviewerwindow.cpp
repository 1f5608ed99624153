#include "viewer/ui/cardviewerwindow.h"

#include "platform/widgets/windowplacement.h"
#include "viewer/cardgeometry.h"
#include "viewer/ui/cardsurface.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The smallest window, in twips.
constexpr int minimumTwips = 5000;

} // namespace

CardViewerWindow::CardViewerWindow(CardViewerSession session, QWidget *parent)
    : QDialog(parent), m_session(std::move(session)),
      m_pictures(m_session.loadPicture ? m_session.loadPicture
                                       : CardSheet::PictureLoader(&CardSheet::loadPicture))
{
    setObjectName(u"QVRCP_DP"_s);
    setWindowTitle(u"検索結果"_s);
    m_selected = m_session.selected >= 0 && m_session.selected < m_session.entries.size()
                     ? m_session.selected
                     : -1;
    if (!m_session.random) {
        m_session.random = [] { return QRandomGenerator::global()->generateDouble(); };
    }
    if (!m_session.loadPicture)
        m_session.loadPicture = &CardSheet::loadPicture;

    m_previous = new QPushButton(u"前ページ"_s, this);
    m_previous->setObjectName(u"cmd_page_0"_s);
    m_next = new QPushButton(u"次ページ"_s, this);
    m_next->setObjectName(u"cmd_page_1"_s);
    auto *randomButton = new QPushButton(u"他には何がある？"_s, this);
    randomButton->setObjectName(u"cmd_auto"_s);
    auto *close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"cmd_cancel"_s);
    for (QPushButton *b : {m_previous, m_next, randomButton, close})
        b->setAutoDefault(false);
    m_surface = new CardSurface(this);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);
    buttons->addWidget(randomButton);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_surface, 1);

    connect(m_previous, &QPushButton::clicked, this, [this] { pageButton(0); });
    connect(m_next, &QPushButton::clicked, this, [this] { pageButton(1); });
    connect(randomButton, &QPushButton::clicked, this, &CardViewerWindow::randomButton);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_surface, &CardSurface::pressed, this, &CardViewerWindow::surfacePressed);
    connect(m_surface, &CardSurface::resized, this, &CardViewerWindow::redrawForSize);

    const int minimum = WindowPlacement::twipsToPixels(this, minimumTwips);
    setMinimumSize(minimum, minimum);
    resize(qMax(minimum, 760), qMax(minimum, 560));
}

void CardViewerWindow::select(int position)
{
    m_selected = position;
    if (m_session.selectionChanged)
        m_session.selectionChanged(position);
}

void CardViewerWindow::drawCards(bool random)
{
    const int count = int(m_session.entries.size());
    if (random)
        m_randomSlots = count > 0 ? CardSlots::randomSlots(count, m_session.random) : QList<int>();
    drawSlots(random ? m_randomSlots : CardSlots::pageSlots(count, m_selected), random);
}

void CardViewerWindow::drawSlots(const QList<int> &slots, bool random)
{
    const int count = int(m_session.entries.size());
    m_cards.clear();
    // Paging has nowhere to go in an empty list or among random cards.
    const bool pageMode = !random && m_selected >= 0;
    m_previous->setEnabled(pageMode && CardSlots::previousEnabled(m_selected));
    m_next->setEnabled(pageMode && CardSlots::nextEnabled(count, m_selected, int(slots.size())));
    if (count == 0 || m_surface->size().isEmpty()) {
        m_surface->setImage(QImage());
        return;
    }
    QList<int> recordNos;
    for (int position : slots)
        recordNos.append(m_session.entries.at(position).recordNo);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    const qreal ratio = m_surface->devicePixelRatioF();
    QImage image(m_surface->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    const qreal dpi = m_surface->logicalDpiY();
    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const QList<int> drawn = CardSheet::draw(
            painter, QSizeF(m_surface->size()), dpi, m_session.recipeFile, recordNos,
            [this](const QString &path, QSize bound) { return m_pictures.picture(path, bound); });
        for (int slot : drawn)
            m_cards.append(slots.at(slot));
    }
    m_surface->setImage(image);
    QApplication::restoreOverrideCursor();
}

void CardViewerWindow::pageButton(int index)
{
    const int count = int(m_session.entries.size());
    if (count == 0)
        return;
    // From random cards (no selection) paging starts at the top of the list.
    const int from = qMax(m_selected, 0);
    select(index == 1 ? CardSlots::nextPagePosition(count, from)
                      : CardSlots::previousPagePosition(from));
    drawCards(false);
}

void CardViewerWindow::randomButton()
{
    select(-1);
    drawCards(true);
}

void CardViewerWindow::surfacePressed(const QPointF &at)
{
    const int card = CardGeometry::cardAt(QSizeF(m_surface->size()), at);
    if (card < 0 || card >= m_cards.size())
        return;
    const int position = m_cards.at(card);
    select(position);
    if (m_session.openRecipe)
        m_session.openRecipe(m_session.entries.at(position).recordNo);
    accept();
}

void CardViewerWindow::redrawForSize()
{
    if (m_resizing || isMinimized())
        return;
    m_resizing = true;
    // A new size redraws the suggestion shown; only the button draws anew.
    if (m_selected < 0 && !m_randomSlots.isEmpty())
        drawSlots(m_randomSlots, true);
    else
        drawCards(m_selected < 0);
    m_resizing = false;
}

void CardViewerWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        WindowPlacement::centreOn(this, parentWidget());
    }
}

int showCardViewer(CardViewerSession session, QWidget *parent)
{
    CardViewerWindow window(std::move(session), parent);
    window.exec();
    return window.selected();
}
