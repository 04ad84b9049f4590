#pragma once

#include "editor/controls.h"

class QAction;
class QString;
class QWidget;

namespace talviro6 {

class KeptTexts;

/// Everything of the caption table in the language of `texts`: captions, menu items
/// with their check marks, list items, option lists and hints. The live read-outs
/// are not touched here; see writeLivePlaceholders.
void applyCaptionTable(Controls &c, const KeptTexts &texts);

/// The captions the live read-outs show while no unit answers ("RPM = ---",
/// "Advance 1 = --- [°]", ...), in the language of `texts`, with the normal colour
/// and empty gauges, so old values never look live.
void writeLivePlaceholders(Controls &c, const KeptTexts &texts);

/// A hint "tooltip|long hint" (or one text for both): the status bar shows the long
/// hint; a tooltip is set only where withTooltip says so.
void setHint(QWidget *widget, const QString &hint, bool withTooltip);
void setHint(QAction *action, const QString &hint);

} // namespace talviro6
