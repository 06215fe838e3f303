#pragma once
// The text a PDF written by Qt carries for copying and searching (its ToUnicode maps).
#include <QByteArray>

namespace zmk {

// Qt maps each glyph back to the first character that shows it, so an ideograph that shares
// its glyph with a Kangxi radical or a compatibility ideograph ("小" and "⼩") reads back as the
// radical. This maps those back to the unified ideograph, which is what names are typed with.
// The replacement keeps every byte offset, so the file's cross-reference table stays valid.
QByteArray PreferUnifiedIdeographs(QByteArray pdf);

}  // namespace zmk
