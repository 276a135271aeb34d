#pragma once
// Lays a lab document out on A4 pages and writes it as a PDF. Used by the
// build's document tool; kept apart from its command line so that the
// pagination can be tested on its own.
#include <QSizeF>
#include <QString>

class QTextDocument;

// The text area of a page (A4 less the margins), in the 96-dpi pixels in
// which documents are laid out.
QSizeF pageBodySize();

// Loads the HTML with the shared style sheet and lays it out in pages of
// pageBodySize() as Qt does.
void layOutDocument(QTextDocument &doc, const QString &html, const QString &css);

// layOutDocument(), then page breaks mended with keepTogether(): the layout
// the documents are written with.
void loadDocument(QTextDocument &doc, const QString &html, const QString &css);

// Qt's rich text lets a table run across a page boundary and cuts the row
// lying on it in two; it also leaves a heading as the last line of a page.
// Both are mended by moving things to the next page, one at a time, until
// nothing needs moving:
//  - a table shorter than a page that crosses a boundary moves whole, together
//    with up to two short blocks just before it (its heading, its caption);
//  - a one-line block (a heading, a caption, "where") whose following block
//    starts on the next page moves there with it.
// Returns the number of moves made.
int keepTogether(QTextDocument &doc, double pageHeight);

// Writes the laid-out document as an A4 PDF, optionally numbering the pages.
// The file appears under its name only when complete; on failure returns
// false with a reason and leaves no file behind.
bool writePdf(QTextDocument &doc, const QString &path, bool pageNumbers, QString *error);
