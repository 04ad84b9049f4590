#pragma once

#include "editor/controls.h"

class QAction;
class QString;
class QWidget;

namespace talviro6 {

class KeptTexts;

/// All captions, item lists and hints of the window for the current language.
/// English only for now: the language tables replace the literals here, in one place.
void ApplyCaptions(Controls &c, const KeptTexts &texts);

/// A hint "tooltip|long hint" (or one text for both): the status bar shows the long
/// hint; a tooltip is set only where withTooltip says so.
void setHint(QWidget *widget, const QString &hint, bool withTooltip);
void setHint(QAction *action, const QString &hint);

} // namespace talviro6
