#pragma once

#include "editor/controls.h"
#include "editor/widgets/numeric_field.h"

#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace talviro6 {

// Client area of a page of PageControl1, px; the power-out rows are cut from it.
inline constexpr int PageClientWidth = 645;
inline constexpr int PageClientHeight = 469;

/// Left edges of the ten columns shared by the advance map and the servo curve, px.
inline constexpr std::array<int, Points> ColumnX{44, 103, 162, 222, 281, 340, 399, 459, 518, 577};

MiscPage buildMiscPage(QWidget *page);
BikePage buildBikePage(QWidget *page);
AdvancePage buildAdvancePage(QWidget *page);
ServoPage buildServoPage(QWidget *page);
/// Fills the empty "Power Out" page once at start-up; width and height are the
/// page's client size, which the three rows share.
PowerOutPage BuildPowerOutPage(QWidget *page, int width, int height);

/// The range and step of the control that edits the field at `offset`, from the
/// field table, with the control's initial value.
NumericField::Range rangeOf(int offset, int initial);

// Small helpers the builders share.
QFont pixelFont(int pixels, bool bold = false);
QLabel *makeLabel(QWidget *parent, const QString &name, int x, int y, const QString &fixedText = {});

} // namespace talviro6
