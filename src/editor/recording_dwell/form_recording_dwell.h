#pragma once

#include "live/dwell_map.h"
#include "model/unit_image.h"
#include "recordings/recording_dwell.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <functional>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace talviro6 {

/// Where the engine ran in a recording: its frames counted per map cell and servo
/// point over the window's parameters, shaded in the main window's maps while this
/// window is shown, with filters that re-count as they change and a table of the
/// numbers on demand.
class FormRecordingDwell : public QWidget {
    Q_OBJECT

  public:
    using ImageSource = std::function<const UnitImage &()>;
    using Notify = std::function<void()>;

    /// `changed` runs after every count and when the window is shown or hidden, so the
    /// maps can be repainted; `open` is the Open button.
    FormRecordingDwell(ImageSource image, int languageIndex, Notify changed, Notify open, QWidget *parent = nullptr);

    /// A new recording, counted over its whole length.
    void setRecording(std::deque<PackedFrame> frames, const QString &fileName);
    /// The frames between two times of the recording (ms, both included), e.g. a stretch
    /// chosen elsewhere; the From and To fields follow.
    void showRange(std::int64_t fromMilliseconds, std::int64_t toMilliseconds);
    /// Counts again, e.g. after the map's speed columns changed.
    void recount();

    const DwellCounts &counts() const { return m_counts; }
    /// The counts as shaded: without the cells below the minimum count.
    const DwellMap &shading() const { return m_shading; }
    bool hasRecording() const { return !m_frames.empty(); }

    void setLanguage(int languageIndex);
    int language() const { return m_language; }

    QPushButton *openButton() const { return m_open; }
    QPushButton *tableButton() const { return m_tableButton; }
    QSpinBox *minCountBox() const { return m_minCount; }
    QSpinBox *maxRpmRateBox() const { return m_maxRpmRate; }
    QSpinBox *maxTpsRateBox() const { return m_maxTpsRate; }
    QDoubleSpinBox *fromBox() const { return m_from; }
    QDoubleSpinBox *toBox() const { return m_to; }
    QTableWidget *table() const { return m_table; }

  protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

  private:
    void fillTable();
    void retranslate();

    ImageSource m_image;
    Notify m_changed;
    int m_language = 0;
    std::deque<PackedFrame> m_frames;
    QString m_fileName;
    DwellCounts m_counts;
    DwellMap m_shading;
    bool m_settingRange = false; ///< From and To are being set together: one count at the end

    QLabel *m_file = nullptr;
    QPushButton *m_open = nullptr;
    QLabel *m_minCountLabel = nullptr;
    QLabel *m_maxRpmRateLabel = nullptr;
    QLabel *m_maxTpsRateLabel = nullptr;
    QLabel *m_fromLabel = nullptr;
    QLabel *m_toLabel = nullptr;
    QSpinBox *m_minCount = nullptr;
    QSpinBox *m_maxRpmRate = nullptr;
    QSpinBox *m_maxTpsRate = nullptr;
    QDoubleSpinBox *m_from = nullptr;
    QDoubleSpinBox *m_to = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_tableButton = nullptr;
    QTableWidget *m_table = nullptr;
};

} // namespace talviro6
