#include "editor/binding.h"

#include "editor/controls.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"
#include "model/field_table.h"
#include "model/unit_image.h"

#include <QCheckBox>
#include <QHash>

#include <optional>
#include <stdexcept>

namespace talviro6 {
namespace {

/// The window's pages' widgets by name, gathered in one walk: looking each of some
/// 250 fields up by its own walk over 600 widgets took milliseconds of the start.
class PageWidgets {
  public:
    explicit PageWidgets(const Controls &c)
    {
        for (QWidget *page : {c.frame.TabSheetRuzne, c.frame.TabSheetBike, c.frame.TabSheetAdvance,
                              c.frame.TabSheetServo, c.frame.TabSheetPowerOut})
            if (page != nullptr)
                for (QWidget *w : page->findChildren<QWidget *>())
                    if (const QString name = w->objectName(); !name.isEmpty())
                        m_byName[name].push_back(w);
    }

    /// The one widget named `name`; null when there is none and `absentAllowed`.
    QWidget *find(const QString &name, bool absentAllowed = false) const
    {
        const auto found = m_byName.constFind(name);
        if (found == m_byName.cend() && absentAllowed)
            return nullptr;
        if (found == m_byName.cend() || found->size() != 1)
            throw std::logic_error("not one control named " + name.toStdString());
        return found->front();
    }

  private:
    QHash<QString, std::vector<QWidget *>> m_byName;
};

/// The control the field table names for a field, as the binding reads and shows it;
/// none for a field of a page not built yet when `coverage` allows that.
std::optional<BoundWidget> controlOf(const PageWidgets &widgets, const FieldInfo &f, ControlBinding::Coverage coverage)
{
    const bool absentAllowed = coverage == ControlBinding::Coverage::BuiltPages;
    const QString name = QString::fromStdString(f.control);
    if (f.conversion == Conversion::Cells) {
        CellRow row{};
        for (std::size_t k = 0; k < row.size(); ++k) {
            const QString cell = name + QLatin1Char('[') + QString::number(k) + QLatin1Char(']');
            QWidget *w = widgets.find(cell, absentAllowed);
            if (w == nullptr)
                return std::nullopt;
            row[k] = dynamic_cast<MouseUpCheckBox *>(w);
            if (row[k] == nullptr)
                throw std::logic_error(cell.toStdString() + " is no check box");
        }
        return row;
    }
    QWidget *w = widgets.find(name, absentAllowed);
    if (w == nullptr)
        return std::nullopt;
    if (auto *numeric = dynamic_cast<NumericField *>(w))
        return numeric;
    if (auto *list = dynamic_cast<DropDownList *>(w))
        return list;
    if (auto *group = dynamic_cast<RadioGroup *>(w))
        return group;
    if (auto *box = dynamic_cast<QCheckBox *>(w))
        return box;
    throw std::logic_error(f.control + " is no control the binding knows");
}

/// What a control shows, in the field's shown units; empty where nothing is chosen.
struct ShownValue {
    std::optional<int> operator()(NumericField *f) const { return f->appliedValue(); }
    std::optional<int> operator()(DropDownList *list) const { return list->currentIndex(); }
    std::optional<int> operator()(RadioGroup *group) const { return group->itemIndex(); }
    std::optional<int> operator()(QCheckBox *box) const { return box->isChecked() ? 1 : 0; }
    std::optional<int> operator()(const CellRow &row) const
    {
        int bits = 0;
        for (std::size_t k = 0; k < row.size(); ++k)
            if (row[k]->isChecked())
                bits |= 1 << k;
        return bits;
    }
};

/// Shows a value; every setter here is silent, so no handler runs from a refresh.
struct Show {
    int value;
    void operator()(NumericField *f) const { f->showValue(value); }
    void operator()(DropDownList *list) const
    {
        // A code the list does not have shows no item, so that the next read back
        // keeps it: an item left from before would overwrite the unit's code.
        list->showIndex(value);
    }
    void operator()(RadioGroup *group) const { group->setItemIndex(value); }
    void operator()(QCheckBox *box) const { box->setChecked(value != 0); }
    void operator()(const CellRow &row) const
    {
        for (std::size_t k = 0; k < row.size(); ++k)
            row[k]->setChecked((value >> k) & 1);
    }
};

} // namespace

ControlBinding::ControlBinding(const Controls &c, Coverage coverage)
{
    const PageWidgets widgets(c);
    for (const FieldInfo &f : editableFields())
        if (const auto control = controlOf(widgets, f, coverage))
            m_bound.push_back({&f, *control});
}

void ControlBinding::readBack(UnitImage &image, bool testEnable) const
{
    for (const BoundControl &b : m_bound) {
        if (b.field->testOnly && !testEnable) {
            image[b.field->offset] = FixedCompensation;
            continue;
        }
        if (const auto shown = std::visit(ShownValue{}, b.control))
            if (const auto stored = toStored(*b.field, *shown))
                image[b.field->offset] = *stored;
    }
}

void ControlBinding::refresh(const UnitImage &image) const
{
    for (const BoundControl &b : m_bound)
        std::visit(Show{toShown(*b.field, image[b.field->offset])}, b.control);
}

QWidget *ControlBinding::controlAt(int offset) const
{
    for (const BoundControl &b : m_bound)
        if (b.field->offset == offset)
            return std::visit(
                [](const auto &w) -> QWidget * {
                    if constexpr (std::is_same_v<std::decay_t<decltype(w)>, CellRow>)
                        return w[0];
                    else
                        return w;
                },
                b.control);
    return nullptr;
}

} // namespace talviro6
