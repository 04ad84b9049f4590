#pragma once

#include <QDialog>

#include <functional>

class QLabel;

namespace talviro6 {

/// The About window: the logo, contact lines, the build's date and time and the
/// protocol version. Created once with the main window and shown modally; its
/// caption follows the language in use every time it is shown.
class FormAbout : public QDialog {
    Q_OBJECT

  public:
    /// `language` tells the language in use (0 English ... 3 Czech) when asked.
    explicit FormAbout(std::function<int()> language, QWidget *parent = nullptr);

    QLabel *LabelDate = nullptr;
    QLabel *LabelTime = nullptr;
    QLabel *LabelRsKey = nullptr; ///< "Version - 76"
    QLabel *LabelExit = nullptr;  ///< "OK", a label that closes the window

  public slots:
    void Button1Click();

  protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void FormActivate();

    std::function<int()> m_language;
};

} // namespace talviro6
