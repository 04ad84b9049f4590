// Lays out one language of the user manual on A4 and writes it as a PDF.
//
//   talviro6_manual_pdf MANUAL.html PICTURES_DIR OUT.pdf
//
// The manual is simple HTML: a title, then chapters, each an <h1> with paragraphs,
// lists, tables and pictures of the window (<img src="page-1-TabSheetRuzne.png">,
// looked up in PICTURES_DIR). Every chapter starts a page and must fit on it: a
// chapter that runs over, or a picture that is missing, fails the build rather than
// giving a manual with a stray page or a hole. A picture is as wide as its width
// attribute says (a percentage of the text width, or pixels), and never wider than
// the text; without one it keeps its size up to the text width.

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The document is laid out in CSS pixels, 96 to the inch, as its HTML is written.
constexpr double CssDpi = 96.0;
constexpr double MmPerInch = 25.4;
constexpr double LeftMm = 18.0, RightMm = 18.0, TopMm = 16.0, BottomMm = 20.0;
constexpr double FooterFromBottomMm = 11.0; ///< baseline of the page number above the paper's edge
constexpr int PdfDpi = 1200;
constexpr int FitStepPercent = 5;      ///< pictures shrink by this much of their width per try
constexpr int SmallestFitPercent = 80; ///< and no further: a chapter that still runs over is too long
constexpr int KeptOfBareBand = 10;     ///< px of a picture's band of bare background kept

double cssPixels(double mm)
{
    return mm / MmPerInch * CssDpi;
}

// One look for every manual: the languages hold only their words.
const char *const HouseStyle = R"(
body { font-family: 'DejaVu Sans'; font-size: 9.5pt; color: #1a1a1a; }
p { margin-top: 0px; margin-bottom: 5px; }
p.title { font-size: 20pt; font-weight: bold; color: #1d3557; margin-bottom: 0px; }
p.subtitle { font-size: 11pt; color: #555555; margin-bottom: 14px; }
h1 { font-size: 16pt; color: #1d3557; margin-top: 0px; margin-bottom: 8px; }
h2 { font-size: 11pt; color: #1d3557; margin-top: 8px; margin-bottom: 3px; }
ul, ol { margin-top: 0px; margin-bottom: 5px; }
li { margin-bottom: 2px; }
td { vertical-align: top; }
code, pre { font-family: 'DejaVu Sans Mono'; font-size: 8.5pt; }
pre { margin-top: 2px; margin-bottom: 6px; background-color: #f0f0f0; }
)";

struct Failure {
    QString text;
};

/// The width each <img> of the source asks for, in the order of the source:
/// a fraction of the text width ("40%"), CSS pixels ("120"), or nothing.
struct WidthRequest {
    std::optional<double> fraction;
    std::optional<double> pixels;
};

std::vector<WidthRequest> widthRequests(const QString &html)
{
    // Qt's HTML reader takes only pixel widths; a percentage it drops, so it is read here.
    static const QRegularExpression imgTag(QStringLiteral("<img\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression widthAttribute(QStringLiteral("\\bwidth\\s*=\\s*\"?\\s*([0-9.]+)\\s*(%?)"),
                                                   QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    std::vector<WidthRequest> requests;
    for (auto tags = imgTag.globalMatch(QString(html).remove(comment)); tags.hasNext();) {
        const QString tag = tags.next().captured(0);
        WidthRequest request;
        if (const auto width = widthAttribute.match(tag); width.hasMatch()) {
            const double value = width.captured(1).toDouble();
            if (width.captured(2).isEmpty())
                request.pixels = value;
            else
                request.fraction = value / 100.0;
        }
        requests.push_back(request);
    }
    return requests;
}

/// The window's pictures hold a wide band of bare background between the pages and
/// the status bar; on paper it would only take room. Every run of bare rows longer
/// than `KeptOfBareBand` is cut down to that.
QImage withoutBareBands(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int height = image.height();
    const auto bare = [&image](int y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        return std::all_of(row, row + image.width(), [first = row[0]](QRgb pixel) { return pixel == first; });
    };
    std::vector<int> kept;
    kept.reserve(static_cast<std::size_t>(height));
    for (int y = 0; y < height;) {
        int end = y;
        while (end < height && bare(end))
            ++end;
        if (end - y > KeptOfBareBand) {
            for (int k = 0; k < KeptOfBareBand; ++k)
                kept.push_back(y + k);
            y = end;
        } else {
            kept.push_back(y++);
        }
    }
    if (static_cast<int>(kept.size()) == height)
        return picture;
    QImage cut(image.width(), static_cast<int>(kept.size()), image.format());
    for (std::size_t i = 0; i < kept.size(); ++i)
        std::memcpy(cut.scanLine(static_cast<int>(i)), image.constScanLine(kept[i]),
                    static_cast<std::size_t>(image.bytesPerLine()));
    return cut;
}

/// A thin line round the picture keeps the window's light background apart from the paper.
QImage framed(const QImage &picture)
{
    QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setPen(QColor(0x99, 0x99, 0x99));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

/// Every picture loaded from `pictures` into the document, sized for the text width
/// and made smaller by `fit`.
void placePictures(QTextDocument &doc, const QString &html, const QDir &pictures, double textWidth, double fit)
{
    // Where the pictures stand, before any is changed: a change may join or split
    // the fragments that hold them.
    std::vector<std::pair<int, QTextImageFormat>> found;
    for (QTextBlock block = doc.begin(); block != doc.end(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (const QTextFragment fragment = it.fragment(); fragment.charFormat().isImageFormat())
                for (int k = 0; k < fragment.length(); ++k)
                    found.emplace_back(fragment.position() + k, fragment.charFormat().toImageFormat());

    const std::vector<WidthRequest> requests = widthRequests(html);
    if (found.size() != requests.size())
        throw Failure{QStringLiteral("%1 <img> tags in the source, but %2 pictures in the document")
                          .arg(requests.size())
                          .arg(found.size())};
    for (std::size_t i = 0; i < found.size(); ++i) {
        auto &[position, format] = found[i];
        const QString path = pictures.filePath(format.name());
        const QImage loaded(path);
        if (loaded.isNull())
            throw Failure{QStringLiteral("picture %1 is missing or unreadable").arg(QDir::toNativeSeparators(path))};
        const QImage picture = framed(withoutBareBands(loaded));
        doc.addResource(QTextDocument::ImageResource, QUrl(format.name()), picture);

        double width = picture.width();
        if (requests[i].fraction)
            width = *requests[i].fraction * textWidth;
        else if (requests[i].pixels)
            width = *requests[i].pixels;
        width = std::min(width, textWidth) * fit;
        format.setWidth(width);
        format.setHeight(width * picture.height() / picture.width());
        QTextCursor cursor(&doc);
        cursor.setPosition(position);
        cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

struct Chapter {
    QString title;
    QTextBlock heading;
};

/// Every <h1> but the first starts a page, whether or not its source asks for it.
std::vector<Chapter> chapters(QTextDocument &doc)
{
    std::vector<Chapter> found;
    for (QTextBlock block = doc.begin(); block != doc.end(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        if (!found.empty()) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
        found.push_back(Chapter{block.text().simplified(), block});
    }
    if (found.empty())
        throw Failure{QStringLiteral("no chapter: the manual has no <h1>")};
    return found;
}

/// Each chapter starts on its own page and ends on it; a chapter that runs over is
/// named with how far it runs, so its text or pictures can be cut to fit.
void checkOnePagePerChapter(QTextDocument &doc, const std::vector<Chapter> &list)
{
    const double pageHeight = doc.pageSize().height();
    const auto *layout = doc.documentLayout();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const double pageTop = static_cast<double>(i) * pageHeight;
        // A heading moved to a new page may sit a fraction of a pixel above its top edge.
        const double top = layout->blockBoundingRect(list[i].heading).top();
        if (top + 1.0 < pageTop || top >= pageTop + pageHeight)
            throw Failure{
                i == 0 ? QStringLiteral("the title before chapter \"%1\" takes a page of its own").arg(list[i].title)
                       : QStringLiteral("chapter \"%1\" does not start on page %2").arg(list[i].title).arg(i + 1)};
        const QTextBlock end = i + 1 < list.size() ? list[i + 1].heading : QTextBlock();
        double bottom = top;
        for (QTextBlock block = list[i].heading; block.isValid() && block != end; block = block.next())
            bottom = std::max(bottom, layout->blockBoundingRect(block).bottom());
        if (bottom > pageTop + pageHeight + 1.0)
            throw Failure{QStringLiteral("chapter \"%1\" does not fit on one page: it runs %2 mm onto the next")
                              .arg(list[i].title)
                              .arg(std::ceil((bottom - pageTop - pageHeight) / CssDpi * MmPerInch))};
    }
    if (doc.pageCount() != static_cast<int>(list.size()))
        throw Failure{QStringLiteral("%1 pages for %2 chapters").arg(doc.pageCount()).arg(list.size())};
}

void writePdf(QTextDocument &doc, const QString &title, const QString &outPath)
{
    QSaveFile file(outPath); // whole or not at all: written beside, renamed over
    if (!file.open(QIODevice::WriteOnly))
        throw Failure{QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(outPath), file.errorString())};

    QPdfWriter writer(&file);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(PdfDpi);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("talviro6_manual_pdf"));

    const double scale = PdfDpi / CssDpi; // device pixels per CSS pixel
    const QSizeF page = doc.pageSize();
    const int pages = doc.pageCount();
    QFont footerFont(QStringLiteral("DejaVu Sans"));
    footerFont.setPointSizeF(7.5);

    QPainter painter;
    if (!painter.begin(&writer))
        throw Failure{QStringLiteral("cannot start the PDF %1").arg(QDir::toNativeSeparators(outPath))};
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !writer.newPage())
            throw Failure{QStringLiteral("cannot add page %1").arg(i + 1)};
        painter.save();
        painter.scale(scale, scale);
        painter.translate(cssPixels(LeftMm), cssPixels(TopMm) - i * page.height());
        const QRectF body(0, i * page.height(), page.width(), page.height());
        painter.setClipRect(body);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = body;
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        // The footer in the writer's own units, so its font is sized for the paper.
        painter.save();
        painter.setFont(footerFont);
        painter.setPen(QPen(QColor(0x77, 0x77, 0x77), PdfDpi / 144.0)); // half a point
        const double left = cssPixels(LeftMm) * scale;
        const double width = page.width() * scale;
        const double baseline = cssPixels(297.0 - FooterFromBottomMm) * scale;
        const double lineHeight = QFontMetricsF(footerFont, &writer).height();
        const QRectF footer(left, baseline - lineHeight, width, lineHeight);
        painter.drawLine(QPointF(footer.left(), footer.top() - lineHeight / 4),
                         QPointF(footer.right(), footer.top() - lineHeight / 4));
        painter.drawText(footer, Qt::AlignLeft | Qt::AlignBottom, title);
        painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("%1 / %2").arg(i + 1).arg(pages));
        painter.restore();
    }
    if (!painter.end())
        throw Failure{QStringLiteral("cannot finish the PDF %1").arg(QDir::toNativeSeparators(outPath))};
    if (!file.commit())
        throw Failure{QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(outPath), file.errorString())};
}

int makeManual(const QString &htmlPath, const QString &picturesDir, const QString &outPath)
{
    QFile source(htmlPath);
    if (!source.open(QIODevice::ReadOnly))
        throw Failure{
            QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(htmlPath), source.errorString())};
    const QString html = QString::fromUtf8(source.readAll());
    if (source.error() != QFileDevice::NoError)
        throw Failure{
            QStringLiteral("cannot read %1: %2").arg(QDir::toNativeSeparators(htmlPath), source.errorString())};

    // Another machine's fonts may set a line more or less: rather than fail the build
    // for that, the pictures give way a little before a chapter counts as too long.
    for (int fitPercent = 100;; fitPercent -= FitStepPercent) {
        const double fit = fitPercent / 100.0;
        const QSizeF body(cssPixels(210.0 - LeftMm - RightMm), cssPixels(297.0 - TopMm - BottomMm));
        QTextDocument doc;
        doc.setUseDesignMetrics(true); // positions as the PDF's fonts have them, not as a screen hints them
        doc.setDocumentMargin(0);      // the page's margins are the painter's
        doc.setDefaultStyleSheet(QString::fromLatin1(HouseStyle));
        doc.setHtml(html);
        doc.setPageSize(body);
        placePictures(doc, html, QDir(picturesDir), body.width(), fit);
        const std::vector<Chapter> list = chapters(doc);
        try {
            checkOnePagePerChapter(doc, list);
        } catch (const Failure &) {
            if (fitPercent - FitStepPercent < SmallestFitPercent)
                throw;
            continue;
        }

        QString title = doc.metaInformation(QTextDocument::DocumentTitle).simplified();
        if (title.isEmpty())
            title = QFileInfo(outPath).completeBaseName();
        writePdf(doc, title, outPath);
        std::printf("%s: %d pages, one per chapter", qPrintable(QDir::toNativeSeparators(outPath)), doc.pageCount());
        if (fitPercent < 100)
            std::printf(" (pictures at %d %% of their width to fit)", fitPercent);
        std::printf("\n");
        return 0;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // Run at build time, where there may be no display; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 4) {
        std::fprintf(stderr, "usage: talviro6_manual_pdf MANUAL.html PICTURES_DIR OUT.pdf\n");
        return 2;
    }
    try {
        return makeManual(arguments[1], arguments[2], arguments[3]);
    } catch (const Failure &failure) {
        std::fprintf(stderr, "talviro6_manual_pdf: %s: %s\n", qPrintable(QDir::toNativeSeparators(arguments[1])),
                     qPrintable(failure.text));
        return 1;
    }
}
