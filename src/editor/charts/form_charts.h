#pragma once

#include "live/operating_point.h"
#include "model/unit_image.h"

#include <QDialog>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace talviro6 {

/// The advance curves (one line per throttle row the map uses, engine speed across)
/// and the servo curve, each with the operating point marked. The main window hands
/// it the image after every refresh and the operating point at every tick while it
/// is open; both return at once when nothing they show changed.
class FormCharts : public QDialog {
    Q_OBJECT

  public:
    explicit FormCharts(QWidget *parent = nullptr);

    /// The curves of `image`, texts in `language` (0 English ... 3 Czech).
    void showImage(const UnitImage &image, int language);
    /// Marks `point` on the curves of the image last shown.
    void showOperatingPoint(const OperatingPoint &point);

    /// One series per throttle row shown, the lowest throttle first.
    const std::vector<QLineSeries *> &advanceSeries() const { return m_advanceSeries; }
    QLineSeries *servoSeries() const { return m_servoSeries; }
    QScatterSeries *advancePoint() const { return m_advancePoint; }
    QScatterSeries *servoPoint() const { return m_servoPoint; }
    QChartView *advanceView() const { return m_advanceView; }
    QChartView *servoView() const { return m_servoView; }

  private:
    void setAdvanceRows(int rows);
    void retranslate();
    void placeMarkers();

    QChartView *m_advanceView = nullptr;
    QChartView *m_servoView = nullptr;
    QChart *m_advanceChart = nullptr;
    QChart *m_servoChart = nullptr;
    std::vector<QLineSeries *> m_advanceSeries;
    QLineSeries *m_servoSeries = nullptr;
    QScatterSeries *m_advancePoint = nullptr;
    QScatterSeries *m_servoPoint = nullptr;
    QValueAxis *m_advanceX = nullptr;
    QValueAxis *m_advanceY = nullptr;
    QValueAxis *m_servoX = nullptr;
    QValueAxis *m_servoY = nullptr;

    std::optional<ParameterArea> m_shownArea; ///< the parameters the curves show
    int m_language = -1;
    std::optional<OperatingPoint> m_point;
};

} // namespace talviro6
