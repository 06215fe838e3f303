// Build tool: prints the Markdown user manual to a PDF file (A4, numbered pages): a readable
// body size, every chapter on a page of its own, and the pictures it names (the screenshots
// under docs/capturas) scaled to the page's width.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>
#include <cstdio>

#include "host/atomicfile.h"
#include "host/errors.h"

namespace {

// Chapters (level 2) start a page; headings are set in the manual's colour.
void FormatHeadings(QTextDocument& doc) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const int level = b.blockFormat().headingLevel();
        if (level == 0) continue;
        QTextCursor cursor(b);
        QTextBlockFormat block = b.blockFormat();
        if (level == 2) block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        block.setTopMargin(level == 1 ? 0 : 12);
        block.setBottomMargin(6);
        cursor.setBlockFormat(block);
        cursor.select(QTextCursor::BlockUnderCursor);
        QTextCharFormat chars;
        chars.setForeground(QColor(0x1f, 0x4e, 0x79));
        chars.setFontWeight(QFont::Bold);
        chars.setFontPointSize(level == 1 ? 20 : level == 2 ? 15 : 12);
        cursor.mergeCharFormat(chars);
    }
}

// Pictures at most as wide as the text (in points: the document lays out at 72 dpi).
void FitImages(QTextDocument& doc, const QString& baseDir, qreal width) {
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isImageFormat()) continue;
            QTextImageFormat image = f.charFormat().toImageFormat();
            const QImage picture(baseDir + u'/' + image.name());
            if (picture.isNull()) continue;
            // Handed to the document: printing does not read pictures from the disk itself.
            doc.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
            const qreal w = std::min<qreal>(width, picture.width() * 0.5);
            image.setWidth(w);
            image.setHeight(w * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(f.position());
            cursor.setPosition(f.position() + f.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: escolia_makemanual manual.md manual.pdf\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "escolia_makemanual: cannot read %s\n", argv[1]);
        return 1;
    }
    const QString baseDir = QFileInfo(source).absolutePath();
    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(baseDir + u'/'));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));
    FormatHeadings(doc);

    try {
        zmk::WriteFileAtomically(QString::fromLocal8Bit(argv[2]), [&](QIODevice& file) {
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
            pdf.setTitle(QStringLiteral("ZMK-Escolia v16 - Manual de la aplicación"));
            pdf.setCreator(QStringLiteral("ZMK-Escolia"));
            FitImages(doc, baseDir, pdf.pageLayout().paintRect(QPageLayout::Point).width() - 10);
            // Without a page size of its own, the document is laid out on the writer's pages
            // with the fonts at their printed size, and every page gets its number.
            doc.print(&pdf);
        });
    } catch (const zmk::EZMKError& e) {
        std::fprintf(stderr, "escolia_makemanual: %s\n", e.what());
        return 1;
    }
    return 0;
}
