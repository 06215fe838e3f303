#include "maintenance/archive_stream.h"

#include <QFileInfo>
#include <array>
#include <cstring>

namespace zmk {

namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined read as the C1
// control of the same number, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ByteOf(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return char(code);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == code) return char(0x80 + i);
    return '?';
}

const QString kReadError = QStringLiteral("Stream read error");
const QString kValueError = QStringLiteral("Invalid property value");

}  // namespace

QByteArray ToWindows1252(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (char32_t code : text.toUcs4()) bytes.append(ByteOf(code));
    return bytes;
}

QString FromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char c : bytes) {
        const quint8 b = quint8(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(kHighControls[b - 0x80]) : QChar(b));
    }
    return text;
}

qint32 DosDateTime(const QDateTime& local) {
    const QDate d = local.date();
    const QTime t = local.time();
    const int year = qBound(1980, d.year(), 2107);
    const quint32 date = quint32((year - 1980) << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return qint32(date << 16 | time);
}

qint32 DosAttributes(const QString& path) {
    const QFileInfo info(path);
    qint32 attributes = info.isDir() ? 0x10 : 0x20;
    if (!info.permission(QFile::WriteOwner)) attributes |= 0x01;
    return attributes;
}

void TArchiveWriter::Int32(qint32 value) {
    const quint32 u = quint32(value);
    const char bytes[4] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
    image_.append(bytes, 4);
}

void TArchiveWriter::Integer(qint32 value) {
    if (value >= -128 && value <= 127) {
        image_.append(char(kTagInt8));
        image_.append(char(value));
    } else if (value >= -32768 && value <= 32767) {
        image_.append(char(kTagInt16));
        image_.append(char(value));
        image_.append(char(quint16(value) >> 8));
    } else {
        image_.append(char(kTagInt32));
        Int32(value);
    }
}

void TArchiveWriter::String(const QString& text) {
    const QByteArray bytes = ToWindows1252(text);
    if (bytes.size() <= 255) {
        image_.append(char(kTagString));
        image_.append(char(bytes.size()));
    } else {
        image_.append(char(kTagLongString));
        Int32(qint32(bytes.size()));
    }
    image_.append(bytes);
}

void TArchiveWriter::Date(double serial) {
    image_.append(char(kTagDate));
    char bytes[8];
    std::memcpy(bytes, &serial, 8);  // little-endian host, as the format
    image_.append(bytes, 8);
}

void TArchiveReader::Need(qint64 count) const {
    if (count < 0 || count > Remaining()) throw ETorvan_Zip(kReadError);
}

quint8 TArchiveReader::Byte() {
    Need(1);
    return quint8(image_[pos_++]);
}

quint8 TArchiveReader::Tag() {
    return Byte();
}

qint32 TArchiveReader::Int32() {
    Need(4);
    quint32 u = 0;
    for (int i = 3; i >= 0; --i) u = u << 8 | quint8(image_[pos_ + i]);
    pos_ += 4;
    return qint32(u);
}

double TArchiveReader::Double() {
    Need(8);
    double value;
    std::memcpy(&value, image_.constData() + pos_, 8);
    pos_ += 8;
    return value;
}

qint32 TArchiveReader::Integer() {
    switch (Tag()) {
        case kTagInt8:
            return qint8(Byte());
        case kTagInt16: {
            const quint8 low = Byte();
            return qint16(quint16(Byte()) << 8 | low);
        }
        case kTagInt32:
            return Int32();
        default:
            throw ETorvan_Zip(kValueError);
    }
}

QString TArchiveReader::String() {
    qint64 length = 0;
    switch (Tag()) {
        case kTagString:
            length = Byte();
            break;
        case kTagLongString:
            length = Int32();
            break;
        default:
            throw ETorvan_Zip(kValueError);
    }
    return FromWindows1252(Raw(length));
}

double TArchiveReader::Date() {
    if (Tag() != kTagDate) throw ETorvan_Zip(kValueError);
    return Double();
}

void TArchiveReader::ListBegin() {
    if (Tag() != kTagList) throw ETorvan_Zip(kValueError);
}

void TArchiveReader::ListEnd() {
    if (Tag() != kTagListEnd) throw ETorvan_Zip(kValueError);
}

bool TArchiveReader::EndOfList() const {
    Need(1);
    return image_[pos_] == char(kTagListEnd);
}

QByteArray TArchiveReader::Raw(qint64 count) {
    Need(count);
    const QByteArray bytes = image_.mid(pos_, count);
    pos_ += count;
    return bytes;
}

QByteArray TArchiveReader::BytesUpToZero() {
    const qsizetype end = image_.indexOf('\0', pos_);
    if (end < 0) throw ETorvan_Zip(kReadError);
    const QByteArray bytes = image_.mid(pos_, end - pos_);
    pos_ = end + 1;
    return bytes;
}

}  // namespace zmk
