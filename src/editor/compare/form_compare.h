#pragma once

#include "model/unit_image.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace talviro6 {

class DiffGrid;
class UserDialogs;

/// Two parameter sets side by side, field by field, under the names the window
/// shows; the map and curves as small grids with the differing cells marked. Chosen
/// fields go into the editor as one undo step.
class FormCompare : public QDialog {
    Q_OBJECT

  public:
    /// What the window gives the Compare window to work with.
    struct Sources {
        std::function<ParameterArea()> editor;
        std::function<std::optional<ParameterArea>()> unit; ///< the unit's last known area
        QString snapshotFolder;
        std::function<QString()> filePreset; ///< what the file dialog proposes
        std::function<int()> language;
        /// Puts bytes (offset, value) into the editor as one edit; returns the offsets
        /// validation then holds otherwise: taken bytes it refused or changed, and
        /// others it changed because of them.
        std::function<std::vector<int>(const std::vector<std::pair<int, std::uint8_t>> &)> takeOver;
    };

    /// Where one side's parameter set comes from.
    enum class Kind { Editor, Unit, File, Snapshot };

    FormCompare(Sources sources, UserDialogs &dialogs, QWidget *parent);

    /// Lists the sources again (new snapshots) and compares.
    void reload();
    /// Chooses a side's source from code; a file or snapshot needs its path. False
    /// when it cannot be read.
    bool choose(int side, Kind kind, const QString &path = {});
    /// Compares the two chosen sets and shows the result.
    void compare();
    /// Takes the fields ticked in the list from the side that is not the editor
    /// (B when neither is) into the editor.
    void takeOverTicked();

    QComboBox *SourceA = nullptr;
    QComboBox *SourceB = nullptr;
    QCheckBox *ShowAll = nullptr;
    QTableWidget *Fields = nullptr;
    QLabel *Summary = nullptr;
    QPushButton *TakeOver = nullptr;
    DiffGrid *MapGrid = nullptr;
    DiffGrid *AdvanceRpmGrid = nullptr;
    DiffGrid *ServoRpmGrid = nullptr;
    DiffGrid *ServoVoltageGrid = nullptr;

  protected:
    void changeEvent(QEvent *event) override;

  private:
    void applyLanguage();
    void fillSources(QComboBox *list);
    std::optional<ParameterArea> areaOf(int side);
    void sourceChosen(int side);

    Sources m_sources;
    UserDialogs &m_dialogs;
    std::optional<ParameterArea> m_files[2]; ///< a file chosen for a side, as read
    bool m_filling = false;
};

/// A parameter file as the tool reads one: over the start image (defaults and the
/// classic preset), then validated. Empty when the file cannot be read or holds no
/// accepted version.
std::optional<ParameterArea> readParameterSet(const QString &path);

} // namespace talviro6
