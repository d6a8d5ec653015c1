#pragma once
// Which grid each item of the question table lands in, and where the grids stand in their frame (twips).

#include <QList>
#include <QSqlDatabase>
#include <QString>

// What the answer grid needs of one question-table row.
struct QuestionRow {
    int id = 0;
    QString answer2;
};

// One grid: its answer type (the tag), its items in table order, and its place in the frame.
struct GridPlan {
    int type = 0;
    QList<int> items;
    int left = 0;
    int width = 0;
    int rows() const { return static_cast<int>(items.size()) + 1; } // with the header row
};

class AnswerGridLayout {
public:
    // Grid 0 stands this far from the frame's left edge before centring; neighbours are this far apart.
    static constexpr int FirstLeft = 200;
    static constexpr int Gap = 200;
    // The table the grids are always built from, whatever the client's language.
    static constexpr const char* TableName = "English";

    // Grids in order of first appearance of each answer type; each item joins the grid of its type.
    static AnswerGridLayout build(const QList<QuestionRow>& rows);

    // From the last grid's right edge plus the gap, measured from the frame's left edge.
    int blockWidth() const;
    // Moves every grid so that the block stands in the middle of a frame this wide.
    void centreIn(int frameWidth);

    // Grid index of an item, or -1.
    int gridOfItem(int id) const;

    QList<GridPlan> grids;
};

struct QuestionRowsResult {
    QList<QuestionRow> rows;
    QString error; // empty on success; names the file and the problem otherwise
};

// Reads ID and ANSWER2 of every row of the English question table, in table order. Every ID must be an item
// number, so that a damaged table is refused here rather than keyed into the wrong slot.
QuestionRowsResult ReadQuestionRows(QSqlDatabase& db, const QString& databasePath);
