#pragma once
// The byte-level pieces of the backup archive: the tagged items of the image (integers, strings,
// dates, lists), its single-byte text, and the file facts kept with each entry (packed DOS
// date/time, attribute bits).
//
// Texts are single-byte Windows-1252, so archives are exchangeable with the other installations of
// the program; characters outside that code page are written as "?".
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "host/errors.h"

namespace zmk {

// Every failure of the archive lister.
class ETorvan_Zip : public EZMKError {
  public:
    using EZMKError::EZMKError;
    QString ClassName() const override { return QStringLiteral("ETorvan_Zip"); }
};

// Windows-1252 text; characters it lacks become "?".
QByteArray ToWindows1252(const QString& text);
QString FromWindows1252(const QByteArray& bytes);

// The packed DOS date/time of a local date-time (date in the high word, seconds halved).
qint32 DosDateTime(const QDateTime& local);
// Attribute bits of a file: 0x01 read-only (its owner may not write it), 0x20 archive.
qint32 DosAttributes(const QString& path);

enum TArchiveTag : quint8 {
    kTagListEnd = 0x00,
    kTagList = 0x01,
    kTagInt8 = 0x02,
    kTagInt16 = 0x03,
    kTagInt32 = 0x04,
    kTagString = 0x06,
    kTagLongString = 0x0C,
    kTagDate = 0x11,
};

// Appends items to an image; integers take the smallest of the three forms.
class TArchiveWriter {
  public:
    explicit TArchiveWriter(QByteArray& image) : image_(image) {}
    void Int32(qint32 value);  // plain, no tag
    void Integer(qint32 value);
    void String(const QString& text);
    void Date(double serial);
    void ListBegin() { image_.append(char(kTagList)); }
    void ListEnd() { image_.append(char(kTagListEnd)); }
    void Raw(const QByteArray& bytes) { image_.append(bytes); }

  private:
    QByteArray& image_;
};

// Reads items back, checking every length against what is left: a short or malformed image raises
// ETorvan_Zip, never reads past its end.
class TArchiveReader {
  public:
    explicit TArchiveReader(const QByteArray& image) : image_(image) {}
    qint32 Int32();
    double Double();
    quint8 Byte();
    qint32 Integer();  // any of the three forms
    QString String();  // either form
    double Date();
    void ListBegin();
    void ListEnd();
    bool EndOfList() const;
    QByteArray Raw(qint64 count);
    QByteArray BytesUpToZero();  // old format: text ended by a 0 byte (consumed)
    qint64 Remaining() const { return image_.size() - pos_; }

  private:
    void Need(qint64 count) const;
    quint8 Tag();
    const QByteArray& image_;
    qint64 pos_ = 0;
};

}  // namespace zmk
