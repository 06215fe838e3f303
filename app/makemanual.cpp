// Build tool: prints the Markdown user manual to a PDF file (A4, numbered pages).
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>

#include "host/atomicfile.h"
#include "host/errors.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: escolia_makemanual manual.md manual.pdf\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "escolia_makemanual: cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument doc;
    doc.setDefaultStyleSheet(QStringLiteral("h1 { color: #1f4e79; } h2 { color: #1f4e79; }"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    try {
        zmk::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), [&](QIODevice& file) {
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
            pdf.setTitle(QStringLiteral("ZMK-Escolia v16 - Manual de la aplicación"));
            pdf.setCreator(QStringLiteral("ZMK-Escolia"));
            pdf.setResolution(300);
            doc.setPageSize(pdf.pageLayout().paintRectPixels(pdf.resolution()).size());
            doc.print(&pdf);
        });
    } catch (const zmk::EZMKError& e) {
        std::fprintf(stderr, "escolia_makemanual: %s\n", e.what());
        return 1;
    }
    return 0;
}
