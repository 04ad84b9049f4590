#pragma once

#include <QColor>
#include <QWidget>

namespace talviro6 {

/// A horizontal bar filled in proportion to a value between 0 and a maximum,
/// optionally with the percentage inside. Flat and cheap to paint: the live speed
/// gauge changes three times a second for as long as the tool runs, and the style's
/// progress bar paints itself at once, with gradients, on every change.
class BarGauge : public QWidget {
    Q_OBJECT

  public:
    BarGauge(const QString &name, QColor bar, bool percentage, QWidget *parent);

    void setRange(int minimum, int maximum);
    void setMaximum(int maximum) { setRange(m_minimum, maximum); }
    int maximum() const { return m_maximum; }
    int minimum() const { return m_minimum; }
    /// Clamped to the range; a repaint is asked for only when the value changes.
    void setValue(int value);
    int value() const { return m_value; }
    void setTextVisible(bool visible);
    /// "50%" of the range, as the bar shows it.
    QString text() const;

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QColor m_bar;
    bool m_percentage;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_value = 0;
};

} // namespace talviro6
