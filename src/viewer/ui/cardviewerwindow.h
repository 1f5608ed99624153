#pragma once

#include "viewer/cardpicturecache.h"
#include "viewer/cardsheet.h"
#include "viewer/cardslots.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

class CardSurface;
class QPushButton;

// One entry of the recipe list the viewer pages through.
struct CardEntry
{
    int recordNo = 0; // row number in the recipe file (header = 1)
    QString title;    // the list entry's text
};

// What the recipe list window hands to the viewer.
struct CardViewerSession
{
    QList<CardEntry> entries; // the listed recipes, in list order
    int selected = -1;        // selected list position; -1 shows random cards
    QString recipeFile;       // path of the current recipe file
    // The list window's selection follows the viewer's page (may be empty).
    std::function<void(int position)> selectionChanged;
    // A card was clicked: show this recipe in the entry fields (Cmd_Update(0)).
    std::function<void(int recordNo)> openRecipe;
    CardSheet::PictureLoader loadPicture = &CardSheet::loadPicture;
    CardSlots::RandomSource random; // empty: seeded from the clock
};

// "検索結果": up to six recipe cards, paged six at a time or picked at
// random. Controls: Pic1, cmd_page_0 ("前ページ"), cmd_page_1 ("次ページ"),
// cmd_auto ("他には何がある？"), cmd_cancel.
//
// Entry point for the recipe list window (after a meal-finder search and
// from Command1 "画像一覧"):
//     CardViewerSession s{entries, List1 selection, recipe file path,
//                         [](int pos){ select pos in List1 },
//                         [](int recordNo){ press Cmd_Update(0) }};
//     showCardViewer(std::move(s), this);
class CardViewerWindow : public QDialog
{
    Q_OBJECT
public:
    CardViewerWindow(CardViewerSession session, QWidget *parent = nullptr);

    int selected() const { return m_selected; }
    // List positions of the drawn cards, card order (left to right, top to bottom).
    const QList<int> &cardPositions() const { return m_cards; }
    CardSurface *surface() const { return m_surface; }

    void drawCards(bool random);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void drawSlots(const QList<int> &slots, bool random);
    void select(int position);
    void pageButton(int index);
    void randomButton();
    void surfacePressed(const QPointF &at);
    void redrawForSize();

    CardViewerSession m_session;
    CardPictureCache m_pictures;
    int m_selected = -1;
    QList<int> m_cards;
    QList<int> m_randomSlots; // the random suggestion shown, kept across resizes
    CardSurface *m_surface = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_next = nullptr;
    bool m_resizing = false;
    bool m_placed = false;
};

// Shows the viewer modally; returns the list position selected at the end
// (-1 when none).
int showCardViewer(CardViewerSession session, QWidget *parent);
