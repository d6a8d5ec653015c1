#include "GridKeying.h"

#include "AnswerType.h"
#include "ClientRecord.h"
#include "TestDefinition.h"

GridKeying::GridKeying(AnswerGridLayout layout, const QString& responses)
    : m_layout(std::move(layout)), m_answers(ClientRecord::fit(responses, NumItems))
{
    for (int g = 0; g < gridCount(); ++g) {
        GridState state;
        state.marks.fill(0, rows(g));
        for (int r = 1; r < rows(g); ++r)
            state.marks[r] = markFor(g, r);
        m_grids.append(state);
    }
}

int GridKeying::itemAt(int g, int row) const
{
    const QList<int>& items = plan(g).items;
    return row >= 1 && row <= items.size() ? items.at(row - 1) : 0;
}

QString GridKeying::cellText(int g, int row, int col) const
{
    if (row == 0)
        return col == 0 ? QStringLiteral("Num") : QString::number(col);
    if (col == 0)
        return QString::number(itemAt(g, row)) + QLatin1Char('.');
    return markedColumn(g, row) == col ? QStringLiteral("X") : QString();
}

QChar GridKeying::answer(int id) const
{
    return id >= 1 && id <= m_answers.size() ? m_answers.at(id - 1) : QChar();
}

QString GridKeying::responses(int length) const
{
    return ClientRecord::fit(m_answers, length);
}

int GridKeying::markFor(int g, int row) const
{
    // The answer's numeric value picks the column; a value the grid has no column for shows no mark.
    const QChar c = answer(itemAt(g, row));
    const int value = c.isDigit() ? c.digitValue() : 0;
    return value >= 1 && value <= AnswerColumns(type(g)) ? value : 0;
}

void GridKeying::redraw(int g, int row)
{
    GridState& s = m_grids[g];
    if (row >= 1 && row < rows(g))
        s.marks[row] = markFor(g, row);
    if (s.remembered == row)
        s.lit = false;
}

void GridKeying::highlight(int g)
{
    GridState& s = m_grids[g];
    redraw(g, s.remembered);
    s.remembered = s.row;
    s.lit = true;
}

void GridKeying::focusGained(int g)
{
    m_currentGrid = g;
    highlight(g);
}

void GridKeying::focusLost(int g)
{
    GridState& s = m_grids[g];
    s.row = s.remembered;
    redraw(g, s.remembered);
}

GridKeying::Outcome GridKeying::advance(int g, bool advanceFlag)
{
    GridState& s = m_grids[g];
    const int last = rows(g) - 1;
    if (s.row == last && g != lastGrid()) {
        redraw(g, s.row);
        s.remembered = s.row;
        m_grids[g + 1].row = 1;
        m_currentGrid = g + 1;
        return {false, g + 1};
    }
    if (g == lastGrid() && s.row == last && s.remembered == s.row) {
        highlight(g);
        return {true, -1};
    }
    if (advanceFlag && s.row != last)
        ++s.row;
    highlight(g);
    return {};
}

GridKeying::Outcome GridKeying::keyPress(int g, QChar key)
{
    if (!GridAcceptsKey(type(g), key))
        return {true, -1};
    const int id = itemAt(g, row(g));
    if (id >= 1 && id <= m_answers.size())
        m_answers[id - 1] = key;
    return advance(g, true);
}

GridKeying::Outcome GridKeying::keyDown(int g)
{
    GridState& s = m_grids[g];
    const int last = rows(g) - 1;
    if ((s.row == last && g != lastGrid()) || (g == lastGrid() && s.row == last && s.remembered == s.row))
        return advance(g, false);
    // The grid moves its own cursor one row down; the new row is highlighted.
    if (s.row < last)
        ++s.row;
    highlight(g);
    return {};
}

GridKeying::Outcome GridKeying::keyUp(int g)
{
    GridState& s = m_grids[g];
    if (s.row == 1 && g > 0) {
        GridState& previous = m_grids[g - 1];
        previous.row = rows(g - 1) - 1;
        m_currentGrid = g - 1;
        return {false, g - 1};
    }
    if (s.row == 1 && s.remembered == 1)
        return {true, -1};
    if (s.row > 1)
        --s.row;
    highlight(g);
    return {};
}

void GridKeying::moveTo(int g, int row)
{
    GridState& s = m_grids[g];
    s.row = qBound(1, row, rows(g) - 1);
    highlight(g);
}

int GridKeying::startAt(int id)
{
    for (int g = 0; g < gridCount(); ++g) {
        const qsizetype i = plan(g).items.indexOf(id);
        if (id < 1 || i < 0)
            continue;
        m_grids[g].row = m_grids[g].remembered = static_cast<int>(i) + 1;
        m_currentGrid = g;
        return g;
    }
    return -1;
}

int ScrollTopRow(int row, int rows, int topRow, int visibleRows)
{
    if (row >= topRow && row < topRow + visibleRows)
        return topRow;
    if (row + visibleRows - 1 > rows)
        return std::max(1, rows - visibleRows);
    return row == 1 ? 1 : row - 1;
}
