#pragma once

#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "editor/user_dialogs.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/numeric_field.h"
#include "model/fields.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace talviro6::testing {

/// Answers every question with `answer`, every file dialog with the name set for it
/// (empty: cancelled), and records what was shown and proposed.
struct RecordingDialogs : UserDialogs {
    Answer answer = Answer::Yes;
    QString openName;
    QString saveName;
    std::vector<QString> messages;
    std::vector<QString> questions;
    std::vector<QString> openPresets;
    std::vector<QString> savePresets;
    std::optional<int> number; ///< what askNumber answers; empty: cancelled
    std::vector<QString> numberQuestions;

    void message(const QString &text) override { messages.push_back(text); }
    Answer askYesNoCancel(const QString &text) override
    {
        questions.push_back(text);
        return answer;
    }
    QString askOpenFileName(const QString &preset) override
    {
        openPresets.push_back(preset);
        return openName;
    }
    QString askSaveFileName(const QString &preset) override
    {
        savePresets.push_back(preset);
        return saveName;
    }
    std::optional<int> askNumber(const QString &text, int, int, int) override
    {
        numberQuestions.push_back(text);
        return number;
    }
};

/// Keeps the pictures it is given; `fail` makes it report a missing printer.
struct RecordingPrinter : PagePrinter {
    bool fail = false;
    std::vector<std::vector<QImage>> jobs;

    bool print(const std::vector<QImage> &pages, QString *error) override
    {
        if (fail) {
            *error = QStringLiteral("No printer is installed.");
            return false;
        }
        jobs.push_back(pages);
        return true;
    }
};

/// Records what is handed to the desktop and keeps each failure callback, so that a
/// test makes an opening fail when it likes, as the desktop's opener does later.
struct RecordingShell : DocumentShell {
    std::vector<QString> opened;
    std::vector<Failure> failures; ///< one per opening, in order

    void openDocument(const QString &path, Failure onFailure) override
    {
        opened.push_back(path);
        failures.push_back(std::move(onFailure));
    }
};

inline constexpr sim::Micros TickMicros = 55'000;

/// The window on a loopback to a simulated unit whose clock moves only when a test
/// ticks, with doubles for the dialogs and (unless one is given) the desktop and
/// the printer, keeping its settings in `folder` and looking for the
/// charts' library where `charts` says. Not started: `start` runs FormCreate.
struct WindowRig {
    explicit WindowRig(const QString &folder, DocumentShell *desktop = nullptr, ChartsLibrary charts = {},
                       PagePrinter *paper = nullptr)
        : window(
              port,
              WindowServices{dialogs, paper ? *paper : printer, desktop ? *desktop : shell, folder, std::move(charts)},
              FormHlav::TickSource::Manual)
    {
    }

    /// FormCreate with `arguments`, then shown, as a user first sees it.
    void start(const QStringList &arguments = {})
    {
        window.FormCreate(arguments);
        // Programming goes straight on unless a test asks for the review itself.
        window.controls().menu.MenuReview->setChecked(reviewBeforeProgramming);
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    bool reviewBeforeProgramming = false;
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    FormHlav window;
};

/// The whole window after start-up, on a loopback to a simulated unit on COM1 whose
/// clock moves only when a test ticks. Nothing runs unless the test says so.
class WindowFixture : public ::testing::Test {
  protected:
    WindowFixture() { rig.start(); }

    Controls &c() { return window.controls(); }
    /// The editor's bytes as they are, for setting a test up; `refresh` or
    /// `afterEditStep` then shows them.
    UnitImage &image() { return window.session().rawImage(); }
    /// The steps of an edit that changed the image itself: validation, refresh, history step.
    void afterEditStep()
    {
        window.session().edit([](UnitImage &) {}, EditFrom::Image);
    }

    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(TickMicros);
            window.Timer1Timer();
        }
    }

    /// A numeric field by the name of its edit or of its up-down.
    NumericField *field(const QString &name)
    {
        for (auto *f : window.numericFields())
            if (f->editName() == name || f->spinnerName() == name)
                return f;
        ADD_FAILURE() << "no field " << name.toStdString();
        return nullptr;
    }

    /// Chooses an item as a user does: opens the drop-down and clicks the item.
    void choose(DropDownList *list, int item)
    {
        list->showPopup();
        QAbstractItemView *view = list->view();
        const QModelIndex index = view->model()->index(item, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QApplication::processEvents();
    }

    template <typename T = QWidget> T *named(const QString &name)
    {
        auto *w = window.findChild<T *>(name);
        if (!w)
            ADD_FAILURE() << "no control " << name.toStdString();
        return w;
    }

    QTemporaryDir settingsFolder; // empty: every fixture is a first start
    WindowRig rig{settingsFolder.path()};
    sim::ManualClock &clock = rig.clock;
    sim::SimulatedUnit &unit = rig.unit;
    sim::LoopbackPort &port = rig.port;
    RecordingDialogs &dialogs = rig.dialogs;
    RecordingPrinter &printer = rig.printer;
    RecordingShell &shell = rig.shell;
    FormHlav &window = rig.window;
};

} // namespace talviro6::testing
