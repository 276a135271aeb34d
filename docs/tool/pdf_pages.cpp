#include "pdf_pages.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace {

// A4 with the margins of a Russian teaching document (a wider left margin for
// binding). The text is laid out in 96-dpi pixels and scaled to the writer's
// resolution, so CSS pixel lengths in the sources mean what they say.
constexpr double kLayoutDpi = 96.0;
constexpr int kWriterDpi = 300;
constexpr double kMarginLeftMm = 25.0;
constexpr double kMarginRightMm = 15.0;
constexpr double kMarginTopMm = 20.0;
constexpr double kMarginBottomMm = 20.0;
// The page number sits in the middle of the bottom margin.
constexpr double kPageNumberFromBottomMm = 12.0;

double mmToLayout(double mm) { return mm / 25.4 * kLayoutDpi; }

QSizeF paperMm() { return QPageSize(QPageSize::A4).size(QPageSize::Millimeter); }

QFont bodyFont()
{
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(12);
    return font;
}

int pageOf(double y, double pageHeight) { return int(y / pageHeight); }

} // namespace

QSizeF pageBodySize()
{
    const QSizeF paper = paperMm();
    return QSizeF(mmToLayout(paper.width() - kMarginLeftMm - kMarginRightMm),
                  mmToLayout(paper.height() - kMarginTopMm - kMarginBottomMm));
}

void layOutDocument(QTextDocument &doc, const QString &html, const QString &css)
{
    doc.setDefaultFont(bodyFont());
    doc.setDefaultStyleSheet(css);
    doc.setDocumentMargin(0);
    doc.setHtml(html);
    doc.setPageSize(pageBodySize());
    doc.pageCount();
}

void loadDocument(QTextDocument &doc, const QString &html, const QString &css)
{
    layOutDocument(doc, html, css);
    keepTogether(doc, pageBodySize().height());
}


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

bool writePdf(QTextDocument &doc, const QString &path, bool pageNumbers, QString *error)
{
    const QSizeF body = doc.pageSize();
    const int pages = doc.pageCount();
    const QSizeF paper = paperMm();
    // Written under a temporary name first, so that a failed run leaves no
    // half-written document under the final name.
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    auto fail = [&](const QString &reason) {
        QFile::remove(partial);
        if (error)
            *error = reason;
        return false;
    };
    {
        QPdfWriter writer(partial);
        writer.setResolution(kWriterDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
        writer.setCreator(QStringLiteral("emlab"));

        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("cannot write ") + partial);
        const double scale = kWriterDpi / kLayoutDpi;
        painter.scale(scale, scale);
        // The painter works in layout pixels, so the page number's size is
        // given in those pixels too: 11 points.
        QFont numberFont = bodyFont();
        numberFont.setPixelSize(qRound(11 * kLayoutDpi / 72.0));
        const QFontMetricsF metrics(numberFont);
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
                const QString number = QString::number(page + 1);
                painter.setFont(numberFont);
                painter.setPen(Qt::black);
                const double left = (mmToLayout(paper.width()) - metrics.horizontalAdvance(number)) / 2;
                painter.drawText(QPointF(left, mmToLayout(paper.height() - kPageNumberFromBottomMm)), number);
            }
        }
        if (!painter.end())
            return fail(QStringLiteral("cannot finish ") + partial);
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path))
        return fail(QStringLiteral("cannot rename ") + partial + QStringLiteral(" to ") + path);
    return true;
}
