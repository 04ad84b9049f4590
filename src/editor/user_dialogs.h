#pragma once

#include <QString>

namespace talviro6 {

/// The questions and messages the window puts to the tuner. Tests pass a double
/// that answers and records what was shown.
class UserDialogs {
  public:
    enum class Answer { Yes, No, Cancel };

    virtual ~UserDialogs() = default;
    /// A modal box with OK. The tick keeps running while it is open.
    virtual void message(const QString &text) = 0;
    /// A modal box with Yes, No and Cancel; closing it counts as Cancel.
    virtual Answer askYesNoCancel(const QString &text) = 0;
};

/// The real thing: message boxes over the active window.
class MessageBoxDialogs final : public UserDialogs {
  public:
    void message(const QString &text) override;
    Answer askYesNoCancel(const QString &text) override;
};

} // namespace talviro6
