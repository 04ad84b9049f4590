#pragma once

#include "model/field_compare.h"

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace talviro6 {

/// What a programming will change in the unit, field by field, with the warnings on
/// risky values above. Each field has a tick: a field ticked off keeps the unit's
/// value. Program accepts, Cancel and closing reject; the caller acts on the result.
class FormReview : public QDialog {
    Q_OBJECT

  public:
    explicit FormReview(QWidget *parent);

    /// The changes (side A the unit, side B the editor), every one ticked, and the
    /// warnings as lines, in a language.
    void setReview(const std::vector<FieldDifference> &changes, const std::vector<std::string> &warnings, int language);
    /// Per change, whether it keeps the editor's value.
    std::vector<bool> kept() const;
    bool dontAskAgain() const;

    /// The tick of a change's row, named by the field.
    QCheckBox *tick(int row) const;
    int rows() const;

    QLabel *Warnings = nullptr;
    QLabel *Intro = nullptr;
    QTableWidget *Fields = nullptr;
    QCheckBox *DontAskAgain = nullptr;
    QPushButton *ButtonProgram = nullptr;
    QPushButton *ButtonCancel = nullptr;
};

} // namespace talviro6
