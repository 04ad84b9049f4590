// The user manual: one PDF per language beside the window after a build, a page per
// chapter with the window's pictures in it; Help > Contents opening the one of the
// language chosen from there; the generator refusing a manual it cannot lay out.
#include "window_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>

#include <array>
#include <utility>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

const QString WindowDir = QStringLiteral(TALVIRO6_WINDOW_DIR);
const QString Sources = QStringLiteral(TALVIRO6_MANUAL_SOURCES);

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int matches(const QString &text, const QString &pattern)
{
    const QRegularExpression expression(pattern, QRegularExpression::CaseInsensitiveOption);
    int n = 0;
    for (auto it = expression.globalMatch(text); it.hasNext(); it.next())
        ++n;
    return n;
}

/// Pages of a PDF as its page tree lists them: one dictionary of type /Page each
/// (the tree's own nodes are /Pages).
int pdfPages(const QByteArray &pdf)
{
    return matches(QString::fromLatin1(pdf), QStringLiteral("/Type\\s*/Page(?![a-z])"));
}

int pdfImages(const QByteArray &pdf)
{
    return matches(QString::fromLatin1(pdf), QStringLiteral("/Subtype\\s*/Image\\b"));
}

/// The HTML without its comments, which may speak of <h1> and <img>.
QString withoutComments(QString html)
{
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return html.remove(comment);
}

int chaptersOf(const QString &html)
{
    return matches(withoutComments(html), QStringLiteral("<h1[\\s>]"));
}

QSet<QString> picturesOf(const QString &html)
{
    static const QRegularExpression img(QStringLiteral("<img\\b[^>]*\\bsrc=\"([^\"]+)\""));
    QSet<QString> names;
    for (auto it = img.globalMatch(withoutComments(html)); it.hasNext();)
        names.insert(it.next().captured(1));
    return names;
}

QString manualFile(const QString &suffix)
{
    return QStringLiteral("manual_quendal_talviro6_%1.pdf").arg(suffix);
}

class BuiltManual : public ::testing::TestWithParam<const char *> {};

TEST_P(BuiltManual, LiesBesideTheWindowWithAPagePerChapterAndThePicturesOfTheWindow)
{
    const QString suffix = QString::fromLatin1(GetParam());
    const QString pdfPath = QDir(WindowDir).filePath(manualFile(suffix));
    const QString sourcePath = QDir(Sources).filePath(suffix + QStringLiteral(".html"));
    const QByteArray pdf = contentOf(pdfPath);
    ASSERT_FALSE(pdf.isEmpty()) << "no manual at " << pdfPath.toStdString();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")) << "written whole";

    const QString source = QString::fromUtf8(contentOf(sourcePath));
    const int chapters = chaptersOf(source);
    EXPECT_EQ(chapters, chaptersOf(QString::fromUtf8(contentOf(QDir(Sources).filePath(QStringLiteral("en.html"))))))
        << "every language has the chapters of the English manual";
    EXPECT_GE(chapters, 7);
    EXPECT_EQ(pdfPages(pdf), chapters);
    EXPECT_GE(pdfImages(pdf), static_cast<int>(picturesOf(source).size())) << "every picture of the window is in it";
    EXPECT_GE(QFileInfo(pdfPath).lastModified(), QFileInfo(sourcePath).lastModified())
        << "made again when its source changed";
}

INSTANTIATE_TEST_SUITE_P(FourLanguages, BuiltManual, ::testing::Values("en", "de", "fr", "cz"));

class HelpContents : public WindowFixture {};

TEST_F(HelpContents, OpensTheManualOfTheLanguageChosenFromBesideTheProgram)
{
    ASSERT_EQ(QDir(QCoreApplication::applicationDirPath()).canonicalPath(), QDir(WindowDir).canonicalPath())
        << "this program runs from the window's folder, as Help looks beside the program";
    const QDir dir(QCoreApplication::applicationDirPath());

    QTest::keyClick(&window, Qt::Key_F1); // a first start is in English
    ASSERT_EQ(shell.opened.size(), 1u) << (dialogs.messages.empty() ? "" : dialogs.messages[0].toStdString());
    EXPECT_EQ(shell.opened.back(), dir.filePath(manualFile(QStringLiteral("en"))));

    const std::array<std::pair<QAction *, const char *>, 4> languages{{{c().menu.MenuGerman, "de"},
                                                                       {c().menu.MenuFrench, "fr"},
                                                                       {c().menu.MenuCzech, "cz"},
                                                                       {c().menu.MenuEnglish, "en"}}};
    for (const auto &[item, suffix] : languages) {
        item->trigger();
        QTest::keyClick(&window, Qt::Key_F1);
        const QString expected = dir.filePath(manualFile(QString::fromLatin1(suffix)));
        EXPECT_EQ(shell.opened.back(), expected);
        EXPECT_TRUE(QFileInfo(expected).isFile()) << expected.toStdString();
    }
    EXPECT_EQ(shell.opened.size(), 1u + languages.size());
    EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages[0].toStdString();
}

/// The generator on manuals of the test's own, with one picture three times wider and
/// higher than the text of a page.
class ManualGenerator : public ::testing::Test {
  protected:
    ManualGenerator()
    {
        QImage huge(3000, 2000, QImage::Format_RGB32);
        huge.fill(Qt::darkCyan);
        huge.save(folder.filePath(QStringLiteral("huge.png")));
    }

    QString source(const QString &body)
    {
        const QString path = folder.filePath(QStringLiteral("manual.html"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot write " << path.toStdString();
        file.write((QStringLiteral("<html><head><title>Test</title></head><body><p class=\"title\">Title</p>") + body +
                    QStringLiteral("</body></html>"))
                       .toUtf8());
        return path;
    }

    struct Run {
        int exitCode = -1;
        QString errors;
    };

    Run generate(const QString &html)
    {
        QProcess generator;
        generator.start(QStringLiteral(TALVIRO6_MANUAL_PDF), {html, folder.path(), output});
        if (!generator.waitForFinished(60'000))
            ADD_FAILURE() << "the generator did not end";
        return Run{generator.exitStatus() == QProcess::NormalExit ? generator.exitCode() : -1,
                   QString::fromLocal8Bit(generator.readAllStandardError())};
    }

    QTemporaryDir folder;
    QString output = folder.filePath(QStringLiteral("manual.pdf"));
};

TEST_F(ManualGenerator, StartsEveryChapterOnAPageAndScalesPicturesToTheTextIgnoringComments)
{
    const Run run = generate(source(QStringLiteral("<!-- a comment may show <img src=\"huge.png\" width=\"5%\"> -->"
                                                   "<h1>One</h1><p>Text.</p>"
                                                   "<h1>Two</h1><p><img src=\"huge.png\"></p>"
                                                   "<h1>Three</h1><p><img src=\"huge.png\" width=\"50%\"></p>")));
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray pdf = contentOf(output);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_EQ(pdfPages(pdf), 3) << "the title shares the first chapter's page; the picture fits the page";
}

TEST_F(ManualGenerator, RefusesAManualItCannotLayOutAndKeepsTheLastOne)
{
    QString longChapter = QStringLiteral("<h1>Long</h1>");
    for (int i = 0; i < 120; ++i)
        longChapter += QStringLiteral("<p>A line of text.</p>");
    const struct {
        const char *why;
        QString body;
        QString says;
    } rows[] = {
        {"a chapter longer than a page", longChapter + QStringLiteral("<h1>Next</h1>"),
         QStringLiteral("chapter \"Long\" does not fit on one page")},
        {"a missing picture", QStringLiteral("<h1>One</h1><p><img src=\"gone.png\"></p>"), QStringLiteral("gone.png")},
        {"no chapter", QStringLiteral("<p>Only a paragraph.</p>"), QStringLiteral("no chapter")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        {
            QFile earlier(output);
            ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
            earlier.write("the manual of the last good build");
        }
        const Run run = generate(source(row.body));
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.errors.contains(row.says)) << run.errors.toStdString();
        EXPECT_EQ(contentOf(output), QByteArray("the manual of the last good build"));
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3) << "nothing half-written left beside it";
    }
}

} // namespace
