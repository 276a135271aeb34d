// The build's tool for the lab documents: turns one document written in HTML
// into an A4 PDF. It needs nothing beyond Qt's GUI module: QTextDocument lays
// the text out, QPdfWriter writes the pages.
//
//   emlab_make_pdf [--style FILE] [--no-page-numbers] INPUT.html OUTPUT.pdf
#include "pdf_pages.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

#include <cstdio>

namespace {

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

    QTextDocument doc;
    loadDocument(doc, html, css);
    QString error;
    if (!writePdf(doc, files[1], pageNumbers, &error)) {
        std::fprintf(stderr, "emlab_make_pdf: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
