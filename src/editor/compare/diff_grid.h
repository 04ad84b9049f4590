#pragma once

#include <QWidget>

#include <vector>

namespace talviro6 {

/// A map or curve as a small grid of numbers: B's values, with the cells where A
/// holds another value marked (A's value in the tooltip).
class DiffGrid : public QWidget {
    Q_OBJECT

  public:
    DiffGrid(const QString &name, int rows, int columns, QWidget *parent);

    /// Values row by row, rows × columns of each.
    void setValues(const std::vector<int> &a, const std::vector<int> &b);
    int differingCells() const;
    bool differs(int row, int column) const;
    QSize sizeHint() const override;

    static constexpr int CellWidth = 34;  ///< px
    static constexpr int CellHeight = 16; ///< px

  protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

  private:
    int m_rows;
    int m_columns;
    std::vector<int> m_a;
    std::vector<int> m_b;
};

} // namespace talviro6
