// Turns one lab document written in HTML into an A4 PDF. The build runs it for
// each document; it needs nothing beyond Qt's GUI module: QTextDocument lays the
// text out, QPdfWriter writes the pages.
//
//   emlab_make_pdf [--style FILE] [--no-page-numbers] INPUT.html OUTPUT.pdf
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStringList>
#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>

namespace {

// The page: A4 with the margins of a Russian teaching document (a wider left
// margin for binding). The text is laid out in 96-dpi pixels and scaled to the
// writer's resolution, so CSS pixel lengths in the sources mean what they say.
constexpr double kLayoutDpi = 96.0;
constexpr int kWriterDpi = 300;
constexpr double kMarginLeftMm = 25.0;
constexpr double kMarginRightMm = 15.0;
constexpr double kMarginTopMm = 20.0;
constexpr double kMarginBottomMm = 20.0;
// The page number sits in the middle of the bottom margin.
constexpr double kPageNumberFromBottomMm = 12.0;

double mmToLayout(double mm) { return mm / 25.4 * kLayoutDpi; }

bool readText(const QString &path, QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "emlab_make_pdf: cannot read %s\n", qPrintable(path));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

int pageOf(double y, double pageHeight) { return int(y / pageHeight); }

// Qt's rich text lets a table run across a page boundary and cuts the row
// lying on it in two; it also happily leaves a heading as the last line of a
// page. Both are mended here by moving things to the next page, one at a
// time, until nothing needs moving:
//  - a table shorter than a page that crosses a boundary moves whole, together
//    with up to two short blocks just before it (its heading, its caption);
//  - a one-line block (a heading, a caption, "where") whose following block
//    starts on the next page moves there with it.
// Returns the number of moves made.
int keepTogether(QTextDocument &doc, double pageHeight)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    auto moveBlock = [](const QTextBlock &block) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    };
    auto singleLine = [](const QTextBlock &block) {
        return block.isValid() && block.layout() && block.layout()->lineCount() == 1;
    };
    auto shortBlock = [](const QTextBlock &block) {
        return block.isValid() && block.layout() && block.layout()->lineCount() <= 3;
    };
    int moves = 0;
    // Each move pushes content down and can only be made once per block or
    // table, so the loop ends; the bound is a guard against a layout that
    // never settles.
    for (int guard = 0; guard < 1000; ++guard) {
        doc.pageCount();  // lays the whole document out again
        bool moved = false;
        const QList<QTextFrame *> frames = doc.rootFrame()->childFrames();
        for (QTextFrame *frame : frames) {
            auto *table = qobject_cast<QTextTable *>(frame);
            if (!table || (table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore))
                continue;
            const QRectF box = layout->frameBoundingRect(table);
            if (box.height() >= pageHeight || pageOf(box.top(), pageHeight) == pageOf(box.bottom() - 1, pageHeight))
                continue;
            // The table takes along up to two short blocks that lead into it
            // on the same page: typically a heading and a caption or a line
            // or two of introduction.
            QTextBlock first;
            QTextBlock lead = doc.findBlock(table->firstPosition() - 1);
            for (int taken = 0; taken < 2 && shortBlock(lead) && lead.previous().isValid()
                 && lead.blockFormat().pageBreakPolicy() == QTextFormat::PageBreak_Auto
                 && pageOf(layout->blockBoundingRect(lead).top(), pageHeight) == pageOf(box.top(), pageHeight);
                 ++taken) {
                first = lead;
                lead = lead.previous();
            }
            if (first.isValid()) {
                moveBlock(first);
            } else {
                QTextTableFormat format = table->format();
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                table->setFormat(format);
            }
            moved = true;
            break;
        }
        if (!moved) {
            for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
                if (block.blockFormat().pageBreakPolicy() != QTextFormat::PageBreak_Auto || !singleLine(block)
                    || !block.previous().isValid() || block.textList() != nullptr
                    || block.text().trimmed().isEmpty())
                    continue;
                const QTextBlock next = block.next();
                if (!next.isValid())
                    break;
                // The next block starts a page of its own accord: nothing to keep.
                if (next.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                    continue;
                const QRectF here = layout->blockBoundingRect(block);
                const QRectF after = layout->blockBoundingRect(next);
                // A block inside a table cell has its own frame: leave it.
                if (QTextCursor(block).currentFrame() != doc.rootFrame())
                    continue;
                if (pageOf(here.top(), pageHeight) < pageOf(after.top(), pageHeight)) {
                    moveBlock(block);
                    moved = true;
                    break;
                }
            }
        }
        if (!moved)
            return moves;
        ++moves;
    }
    return moves;
}

int usage()
{
    std::fprintf(stderr, "usage: emlab_make_pdf [--style FILE] [--no-page-numbers] INPUT.html OUTPUT.pdf\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    // The tool never shows a window; it must also run where there is no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Our arguments are read before Qt sees them: Qt takes some options of
    // its own (such as -style) out of the command line.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);

    QString stylePath;
    bool pageNumbers = true;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--style") && i + 1 < args.size())
            stylePath = args[++i];
        else if (args[i] == QLatin1String("--no-page-numbers"))
            pageNumbers = false;
        else if (args[i].startsWith(QLatin1String("--")))
            return usage();
        else
            files << args[i];
    }
    if (files.size() != 2)
        return usage();

    QString html, css;
    if (!readText(files[0], html) || (!stylePath.isEmpty() && !readText(stylePath, css)))
        return 1;

    const QPageSize a4(QPageSize::A4);
    const QSizeF paperMm = a4.size(QPageSize::Millimeter);
    const QSizeF body(mmToLayout(paperMm.width() - kMarginLeftMm - kMarginRightMm),
                      mmToLayout(paperMm.height() - kMarginTopMm - kMarginBottomMm));

    QTextDocument doc;
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(13);
    doc.setDefaultFont(font);
    doc.setDefaultStyleSheet(css);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    doc.setPageSize(body);
    keepTogether(doc, body.height());
    const int pages = doc.pageCount();

    // Write to a temporary name first, so that a failed run leaves no
    // half-written document under the final name.
    const QString target = files[1];
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    {
        QPdfWriter writer(partial);
        writer.setResolution(kWriterDpi);
        writer.setPageLayout(QPageLayout(a4, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("emlab"));

        QPainter painter;
        if (!painter.begin(&writer)) {
            std::fprintf(stderr, "emlab_make_pdf: cannot write %s\n", qPrintable(partial));
            return 1;
        }
        const double scale = kWriterDpi / kLayoutDpi;
        painter.scale(scale, scale);
        // The painter is scaled to layout pixels, so the page number's size is
        // given in those pixels too: 11 points.
        QFont numberFont = font;
        numberFont.setPixelSize(qRound(11 * kLayoutDpi / 72.0));
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                writer.newPage();
            painter.save();
            painter.translate(mmToLayout(kMarginLeftMm), mmToLayout(kMarginTopMm) - page * body.height());
            const QRectF visible(0, page * body.height(), body.width(), body.height());
            painter.setClipRect(visible);
            doc.drawContents(&painter, visible);
            painter.restore();
            if (pageNumbers) {
                painter.setFont(numberFont);
                painter.setPen(Qt::black);
                const QString number = QString::number(page + 1);
                const QFontMetricsF metrics(numberFont);
                const double baseline = mmToLayout(paperMm.height() - kPageNumberFromBottomMm);
                const double left = (mmToLayout(paperMm.width()) - metrics.horizontalAdvance(number)) / 2;
                painter.drawText(QPointF(left, baseline), number);
            }
        }
        if (!painter.end()) {
            std::fprintf(stderr, "emlab_make_pdf: cannot finish %s\n", qPrintable(partial));
            return 1;
        }
    }
    QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        std::fprintf(stderr, "emlab_make_pdf: cannot rename %s\n", qPrintable(partial));
        return 1;
    }
    return 0;
}
