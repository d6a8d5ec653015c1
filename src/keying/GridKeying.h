#pragma once
// Keying a paper answer sheet into the answer grids: the cursor of each grid, the highlighted row, the answers, and
// the advance from item to item and from grid to grid. Rows count from 1 (row 0 is the header); columns from 0.

#include "AnswerGridLayout.h"

#include <QList>
#include <QString>

class GridKeying {
public:
    // `responses` is the client's response string; its character i is the answer to item i.
    GridKeying(AnswerGridLayout layout, const QString& responses);

    // What the window must do after an event.
    struct Outcome {
        bool beep = false;
        int focusGrid = -1; // the grid that must take the focus, or -1
    };

    int gridCount() const { return static_cast<int>(m_layout.grids.size()); }
    int lastGrid() const { return gridCount() - 1; }
    const GridPlan& plan(int g) const { return m_layout.grids.at(g); }
    int type(int g) const { return plan(g).type; }
    // Rows of grid g, the header included.
    int rows(int g) const { return plan(g).rows(); }
    int itemAt(int g, int row) const;

    int currentGrid() const { return m_currentGrid; }
    int row(int g) const { return m_grids.at(g).row; }
    int rememberedRow(int g) const { return m_grids.at(g).remembered; }
    // Whether grid g shows its remembered row in the current-row colours.
    bool isLit(int g) const { return m_grids.at(g).lit; }
    // The column that shows "X" in a row as last drawn, 0 for none.
    int markedColumn(int g, int row) const { return m_grids.at(g).marks.at(row); }
    // The text of a cell as drawn: the header, the item number, or "X".
    QString cellText(int g, int row, int col) const;

    // The answer to item `id` as keyed so far (one character).
    QChar answer(int id) const;
    // The response string rebuilt from the answers, `length` characters.
    QString responses(int length) const;

    // A grid gained the focus: it becomes the current grid and its cursor row is highlighted.
    void focusGained(int g);
    // A grid lost the focus: its cursor goes back to the remembered row, which is drawn plain.
    void focusLost(int g);
    // A character typed into grid g.
    Outcome keyPress(int g, QChar key);
    Outcome keyUp(int g);
    Outcome keyDown(int g);
    // The cursor was put on a row by the mouse or a paging key.
    void moveTo(int g, int row);
    // Puts the cursor of the grid that holds item `id` on its row, where keying starts; that grid, or -1 when no
    // grid holds the item.
    int startAt(int id);

private:
    struct GridState {
        int row = 1;
        int remembered = 1;
        bool lit = false;
        QList<int> marks; // per row, index 0 unused
    };
    Outcome advance(int g, bool advanceFlag);
    void highlight(int g);
    void redraw(int g, int row);
    int markFor(int g, int row) const;

    AnswerGridLayout m_layout;
    QList<GridState> m_grids;
    QString m_answers; // character id - 1 for item id
    int m_currentGrid = 0;
};

// The first visible row that brings `row` into view when it is not between `topRow` and the last of the
// `visibleRows` rows shown; otherwise `topRow` unchanged.
int ScrollTopRow(int row, int rows, int topRow, int visibleRows);
