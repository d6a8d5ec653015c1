#pragma once
// One answer grid: a table of item rows under a fixed header row, driven entirely by its window. It reports keys,
// clicks and focus changes and never moves its own cursor, so the keying rules stay in one place.

#include <QTableWidget>

class ResponseGrid : public QTableWidget {
    Q_OBJECT
public:
    // `visibleRows` item rows are shown under the header; `rowHeight` in pixels.
    ResponseGrid(int index, int visibleRows, int rowHeight, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // The grid's answer type as one digit.
    QString tag;

    // Rows and the first visible row in the grid's own numbering, where row 0 is the header.
    int Rows() const { return rowCount() + 1; }
    int TopRow() const;
    void setTopRow(int row);
    int visibleRows() const { return m_visibleRows; }
    // Shows row `row` (1 or more) as the grid's current cell, in column 0.
    void setCursorRow(int row);

signals:
    void typed(int grid, QChar key);
    void upPressed(int grid);
    void downPressed(int grid);
    // A row chosen with the mouse or a paging key.
    void rowChosen(int grid, int row);
    void focusGained(int grid);
    void focusLost(int grid);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_index;
    int m_visibleRows;
};
