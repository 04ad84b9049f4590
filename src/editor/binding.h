#pragma once

#include <QWidget>

#include <array>
#include <variant>
#include <vector>

class QCheckBox;

namespace talviro6 {

struct Controls;
struct FieldInfo;
struct UnitImage;
class DropDownList;
class MouseUpCheckBox;
class NumericField;
class RadioGroup;

/// The four check boxes of one power-output row; bit k is speed column k.
using CellRow = std::array<MouseUpCheckBox *, 4>;

/// A control of the window as the binding sees it.
using BoundWidget = std::variant<NumericField *, DropDownList *, RadioGroup *, QCheckBox *, CellRow>;

/// One field of the image with the control that edits it.
struct BoundControl {
    const FieldInfo *field;
    BoundWidget control;
};

/// Pairs every field of the field table with the control the table names for it,
/// once, and walks the pairs both ways: read back (controls into the image) and
/// refresh (the image into the controls), each through the field's conversion. So
/// the two directions can never fall out of step, and a new field needs nothing
/// here: its row in the table and its control under that name are enough.
class ControlBinding {
  public:
    /// Every field has its control (the rule once the window is built), or only
    /// those on the pages built so far (the start, before the first paint; read back
    /// then leaves the other fields as the image holds them).
    enum class Coverage { AllFields, BuiltPages };

    explicit ControlBinding(const Controls &c, Coverage coverage = Coverage::AllFields);

    /// Every control into the image. Outside test mode the compensations are forced
    /// to 11: only a test bench may change them, whatever a unit or a file put there.
    void readBack(UnitImage &image, bool testEnable) const;

    /// The image into every control. A value outside a control's range shows at the
    /// nearer end, and the next read back stores what is shown.
    void refresh(const UnitImage &image) const;

    const std::vector<BoundControl> &bound() const { return m_bound; }
    /// The control that edits the field at `offset`; null for a byte without a field.
    QWidget *controlAt(int offset) const;

  private:
    std::vector<BoundControl> m_bound;
};

} // namespace talviro6
