#pragma once

#include "runtime/Exception.h"

#include <QByteArray>
#include <QString>

namespace lumotrix {

// Form descriptions as text (*.form) and their binary form streams ("TPF0").
//
//   object Form1: TForm1            also `inherited` / `inline` (flags 1 / 4, both may be
//     Left = 10                       given); `object TClass` for an unnamed component;
//     Caption = 'Ciao'#13#10 +        `[n]` after the class gives the child position (flag 2)
//       'mondo'
//     Font.Style = [fsBold, fsItalic]
//     Items.Strings = (
//       'uno'
//       'due')
//     Columns = <
//       item                        `item [n]` stores the item's index before the item
//         Width = 64
//       end>
//     Glyph.Data = {
//       0A0B0C}
//     object Button1: TButton
//     end
//   end
//
// Values and the tags they become:
//   10  -5  $1F          integer, smallest of tags 2/3/4 (19 beyond 32 bits); a suffix i8,
//                        i16, i32 or i64 forces the tag (written only when not the smallest)
//   1.5  1e+20           extended (5)     1.5s single (15)   1.5r double (21)
//   1.5d date (17)       12.3456c currency (16), exact, at most 4 decimals
//   %e<20 hex digits>    a float given by its bits (most significant byte first), for values
//   %s<8> %r<16> %d<16>  that decimals cannot give back exactly: infinities, NaNs, extended
//                        values with more precision than a double
//   'text'#13#10         string: '' is a quote, #nnn a character code (Unicode), pieces join
//                        when adjacent or when `+` ends the line. ASCII text is an 8-bit
//                        string (6, or 12 beyond 255 bytes); text with any character above 127
//                        a wide string (18), as the standard tools compile it. Prefixes, written
//                        only where the plain notation would give another kind, force it:
//                        A'..' 8-bit (6/12) and L'..' long (12) in Windows-1252, W'..' wide
//                        (18), U'..' UTF-8 (20), I'..' identifier (7) of any text. Written text
//                        keeps only printable ASCII between quotes, every other code unit as #nnn.
//   True False nil Null  tags 9, 8, 13, 0 (any letter case)
//   clRed  Form2.Menu    identifier (7)
//   ( values )  < items >  [ names ]  { hex }     list, collection, set, binary data
// Names (component, class, property, set element) that are no identifiers, or are keywords,
// are written quoted. An unusual prefix byte (flags 0, or flag 8) is kept as `!n` after the
// header. Binary -> text -> binary gives the same bytes, except that a UTF-8 string holding
// invalid UTF-8 and binary data with a negative length are normalised; text written by
// FormBinaryToText converts back to the same text.
//
// Text is read as UTF-8. Errors are EParserError naming the line and column.

class EParserError : public EReadError {
public:
    using EReadError::EReadError;
};

// UTF-8 text description -> binary form stream.
QByteArray FormTextToBinary(const QByteArray& utf8Text);
QByteArray FormTextToBinary(const QString& text);
// Binary form stream -> text description (lines end in \n). Throws EReadError on bad streams.
QString FormBinaryToText(const QByteArray& binary);
// True when the bytes look like a text description: after an optional UTF-8 byte order mark
// and white space, the word object, inherited or inline.
bool IsTextForm(const QByteArray& data);

} // namespace lumotrix
