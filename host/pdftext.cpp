#include "host/pdftext.h"

#include <QString>
#include <cstring>

namespace zmk {

namespace {

bool IsRadicalOrCompatibility(uint code) {
    return (code >= 0x2E80 && code <= 0x2FDF) || (code >= 0xF900 && code <= 0xFAFF);
}

// Rewrites the four-digit targets from the given token on in one line of a map section.
void FixTargets(char* line, qsizetype length, int skipTokens) {
    int token = 0;
    for (qsizetype i = 0; i < length; ++i) {
        if (line[i] != '<') continue;
        const qsizetype close = QByteArrayView(line + i, length - i).indexOf('>');
        if (close < 0) return;
        if (token++ >= skipTokens && close == 5) {
            bool ok = false;
            const uint code = QByteArray(line + i + 1, 4).toUInt(&ok, 16);
            if (ok && IsRadicalOrCompatibility(code)) {
                const QString unified =
                    QString(QChar(char16_t(code))).normalized(QString::NormalizationForm_KC);
                if (unified.size() == 1 && !IsRadicalOrCompatibility(unified[0].unicode()))
                    std::memcpy(line + i + 1,
                                QByteArray::number(unified[0].unicode(), 16)
                                    .toUpper()
                                    .rightJustified(4, '0')
                                    .constData(),
                                4);
            }
        }
        i += close;
    }
}

// Each line of the sections between begin and end: source codes first, then targets.
void FixSections(QByteArray& pdf, const QByteArray& begin, const QByteArray& end, int sources) {
    for (qsizetype at = pdf.indexOf(begin); at >= 0; at = pdf.indexOf(begin, at)) {
        const qsizetype stop = pdf.indexOf(end, at);
        if (stop < 0) return;
        for (qsizetype line = pdf.indexOf('\n', at) + 1; line > 0 && line < stop;) {
            qsizetype next = pdf.indexOf('\n', line);
            if (next < 0 || next > stop) next = stop;
            // "<lo> <hi> <first>" with lo < hi maps a run: changing its start would shift it.
            const QByteArrayView text(pdf.constData() + line, next - line);
            const bool run = sources == 2 && !text.contains('[') && text.size() >= 13 &&
                             text.sliced(0, 6) != text.sliced(7, 6);
            if (!run) FixTargets(pdf.data() + line, next - line, sources);
            line = next + 1;
        }
        at = stop;
    }
}

}  // namespace

QByteArray PreferUnifiedIdeographs(QByteArray pdf) {
    FixSections(pdf, "beginbfrange", "endbfrange", 2);
    FixSections(pdf, "beginbfchar", "endbfchar", 1);
    return pdf;
}

}  // namespace zmk
