#pragma once

#include "editor/charts/charts_loader.h"

#include <QImage>
#include <QString>

#include <functional>
#include <vector>

namespace talviro6 {

class UserDialogs;

/// Prints pictures of the window. Tests pass a double that keeps the pictures.
class PagePrinter {
  public:
    virtual ~PagePrinter() = default;
    /// Each picture on a page of its own, scaled to the largest size that fits the
    /// printable area, at its top left. False, with a reason for the tuner, when
    /// nothing could be printed (no printer, a file that cannot be written).
    virtual bool print(const std::vector<QImage> &pages, QString *error) = 0;
};

/// Opens a document or a folder with what the desktop associates with it. The
/// desktop's opener runs on its own and may learn only later that nothing could
/// open the document, so a failure is reported through a callback, on the thread
/// of the window, at once or later; success is not reported.
class DocumentShell {
  public:
    /// `reason`: what went wrong, for the line below the tuner's message; may be empty.
    using Failure = std::function<void(const QString &reason)>;

    virtual ~DocumentShell() = default;
    virtual void openDocument(const QString &path, Failure onFailure) = 0;
};

/// What the window is given from outside: the questions to the tuner, the printer,
/// the desktop's viewer, the folder of its settings files and where the charts'
/// library is.
struct WindowServices {
    UserDialogs &dialogs;
    PagePrinter &printer;
    DocumentShell &shell;
    QString settingsFolder; ///< where the settings, start-up image and test-enable files live
    ChartsLibrary charts = {};
};

} // namespace talviro6
