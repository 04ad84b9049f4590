#pragma once

#include "editor/charts/charts_window.h"

#include <QDialog>

#include <optional>
#include <vector>

class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace talviro6 {

/// The advance curves (one line per throttle row the map uses, the lowest throttle
/// first, engine speed across) and the servo curve, each with the operating point
/// marked last, over the lines. The main window hands it the image after every
/// refresh and the operating point at every tick while it is open. Built into the
/// charts library alone, which makes it through talviro6_make_charts_window.
class FormCharts : public QDialog, public ChartsWindow {
    Q_OBJECT

  public:
    explicit FormCharts(QWidget *parent = nullptr);

    QDialog *dialog() override { return this; }
    void showImage(const UnitImage &image, int language) override;
    void showOperatingPoint(const OperatingPoint &point) override;

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
