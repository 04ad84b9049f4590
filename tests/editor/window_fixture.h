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
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace talviro6::testing {

/// Answers every question with `answer` and records what was shown.
struct RecordingDialogs : UserDialogs {
    Answer answer = Answer::Yes;
    std::vector<QString> messages;
    std::vector<QString> questions;

    void message(const QString &text) override { messages.push_back(text); }
    Answer askYesNoCancel(const QString &text) override
    {
        questions.push_back(text);
        return answer;
    }
};

inline constexpr sim::Micros TickMicros = 55'000;

/// The whole window after start-up, on a loopback to a simulated unit on COM1 whose
/// clock moves only when a test ticks. Nothing runs unless the test says so.
class WindowFixture : public ::testing::Test {
  protected:
    WindowFixture()
    {
        window.FormCreate({});
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }

    Controls &c() { return window.controls(); }
    UnitImage &image() { return window.image(); }

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

    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    RecordingDialogs dialogs;
    FormHlav window{port, dialogs, FormHlav::TickSource::Manual};
};

} // namespace talviro6::testing
