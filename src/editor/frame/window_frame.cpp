#include "editor/frame/frame_builders.h"
#include "editor/pages/page_builders.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>

namespace talviro6 {
namespace {

QWidget *addPage(QTabWidget *pages, const char *name, const QString &fixedCaption = {})
{
    auto *page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, fixedCaption);
    return page;
}

QLabel *makeAlarm(QWidget *parent, const char *name, int y, int pixels)
{
    auto *label = makeLabel(parent, QString::fromLatin1(name), 8, y);
    label->setFont(pixelFont(pixels, true));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::red);
    label->setPalette(palette);
    label->resize(653, pixels + 8);
    // A long text (another language, the two version numbers) wraps onto further
    // lines rather than losing its end; the test row below leaves room for three.
    label->setMinimumHeight(pixels + 8);
    label->setWordWrap(true);
    label->hide();
    return label;
}

/// Yellow behind black, as a note in the status bar stands out. By palette, not by a
/// style sheet: the first style sheet of the window costs the start a style of its own.
void yellowNote(QLabel *label)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Qt::yellow);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
}

} // namespace

WindowFrame buildFrame(QMainWindow *window)
{
    WindowFrame f;
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("ClientArea"));
    window->setCentralWidget(client);

    f.toolBar = buildToolBar(client);

    f.LabelSpojeni = makeLabel(client, QStringLiteral("LabelSpojeni"), 482, 6);
    f.LabelSpojeni->setFont(pixelFont(23, true));
    f.LabelSpojeni->setAutoFillBackground(true);
    f.LabelSpojeni->setAlignment(Qt::AlignCenter);
    QPalette red = f.LabelSpojeni->palette();
    red.setColor(QPalette::Window, Qt::red);
    f.LabelSpojeni->setPalette(red);
    f.LabelSpojeni->setGeometry(482, 6, ClientWidth - 482 - 8, 38);

    f.PageControl1 = new QTabWidget(client);
    f.PageControl1->setObjectName(QStringLiteral("PageControl1"));
    f.PageControl1->setFocusPolicy(Qt::NoFocus);
    f.TabSheetRuzne = addPage(f.PageControl1, "TabSheetRuzne");
    f.TabSheetBike = addPage(f.PageControl1, "TabSheetBike");
    f.TabSheetAdvance = addPage(f.PageControl1, "TabSheetAdvance");
    f.TabSheetServo = addPage(f.PageControl1, "TabSheetServo");
    f.TabSheetPowerOut = addPage(f.PageControl1, "TabSheetPowerOut", QStringLiteral("Power Out"));
    f.PageControl1->setGeometry(4, 50, 653, 497);

    f.monitor = buildMonitorColumn(client);

    f.LabelEeDataErr = makeAlarm(client, "LabelEeDataErr", 556, 19);
    f.LabelEeDataErr->setText(QStringLiteral("Programmed data error"));
    f.LabelVersion = makeAlarm(client, "LabelVersion", 586, 19);

    static const int testX[8] = {16, 137, 258, 379, 500, 621, 742, 864};
    for (std::size_t i = 0; i < f.LabelTest.size(); ++i) {
        const QString n = QString::number(i + 1);
        auto *label = makeLabel(client, QStringLiteral("LabelTest") + n, testX[i], 663,
                                QStringLiteral("Test") + n + QStringLiteral(" = ---"));
        label->setFont(pixelFont(13, true));
        label->resize(118, 20);
        label->hide();
        f.LabelTest[i] = label;
    }

    f.StatusBar1 = window->statusBar();
    f.StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    f.StatusBar1->setSizeGripEnabled(false);
    // Permanent, as the unit state is: a hint shown in the bar must not hide it.
    f.LabelRiskWarning = new QLabel(f.StatusBar1);
    f.LabelRiskWarning->setObjectName(QStringLiteral("LabelRiskWarning"));
    f.LabelRiskWarning->setMaximumHeight(f.StatusBar1->fontMetrics().height());
    yellowNote(f.LabelRiskWarning);
    f.StatusBar1->addPermanentWidget(f.LabelRiskWarning);
    f.LabelRiskWarning->hide();
    f.LabelUnitState = new QLabel(f.StatusBar1);
    f.LabelUnitState->setObjectName(QStringLiteral("LabelUnitState"));
    // No taller than the bar's own line: the window keeps the height it was centred with.
    f.LabelUnitState->setMaximumHeight(f.StatusBar1->fontMetrics().height());
    f.StatusBar1->addPermanentWidget(f.LabelUnitState);
    f.LabelFileNote = new QLabel(f.StatusBar1);
    f.LabelFileNote->setObjectName(QStringLiteral("LabelFileNote"));
    f.LabelFileNote->setMaximumHeight(f.StatusBar1->fontMetrics().height());
    yellowNote(f.LabelFileNote);
    f.StatusBar1->addWidget(f.LabelFileNote);
    f.LabelFileNote->hide();
    // It opens at the design size; smaller, down to the row of test labels, its
    // lowest controls, it still fits a screen of 768 lines with a title bar.
    client->setMinimumSize(ClientWidth, f.LabelTest[0]->geometry().bottom() + 1 + 6);
    return f;
}

} // namespace talviro6
