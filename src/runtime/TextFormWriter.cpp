// Binary form stream -> form text.

#include "runtime/TextForm.h"

#include "runtime/CodePage.h"
#include "runtime/FormStream.h"
#include "runtime/NestingGuard.h"
#include "runtime/TextFormSyntax.h"

#include <QtEndian>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumotrix {

using namespace textform;

namespace {

constexpr int LineWidth = 64; // characters of string or hex digits per line

QString HexBigEndian(const QByteArray& littleEndian) {
    QByteArray reversed(littleEndian.size(), '\0');
    for (qsizetype i = 0; i < littleEndian.size(); ++i)
        reversed[i] = littleEndian[littleEndian.size() - 1 - i];
    return QString::fromLatin1(reversed.toHex().toUpper());
}

template <typename F> QString ShortestText(F value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QLatin1String(".0");
    return text;
}

QString CurrencyText(qint64 units) {
    const bool negative = units < 0;
    const quint64 magnitude = negative ? 0 - quint64(units) : quint64(units);
    QString text = negative ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.size() > 1 && fraction.endsWith(u'0'))
        fraction.chop(1);
    return text + u'.' + fraction + u'c';
}

class TTextWriter {
public:
    explicit TTextWriter(const QByteArray& data) : R(data) {}

    QString Run() {
        R.ReadSignature();
        Component(0);
        if (!R.AtEnd())
            throw EReadError(QStringLiteral("Unexpected data after the root section at offset %1")
                                 .arg(R.Position()));
        return Out;
    }

private:
    static QString Indent(int n) { return QString(n, u' '); }

    static QString Name(const QByteArray& bytes) {
        const QString text = FromAnsi(bytes);
        if (IsPlainName(text) && !IsKeyword(text))
            return text;
        return Quoted(text, QString(), 0);
    }

    TNestingGuard Enter() {
        return TNestingGuard(Depth, [&] {
            throw EReadError(
                QStringLiteral("Form stream nested too deeply at offset %1").arg(R.Position()));
        });
    }

    QString IntegerText(TValueType tag) {
        qint64 v = 0;
        switch (tag) {
        case TValueType::vaInt8:
            v = R.ReadInt8Raw();
            break;
        case TValueType::vaInt16:
            v = R.ReadInt16Raw();
            break;
        case TValueType::vaInt32:
            v = R.ReadInt32Raw();
            break;
        default:
            v = R.ReadInt64Raw();
            break;
        }
        QString text = QString::number(v);
        if (SmallestIntegerTag(v) != tag) {
            static const char* const suffix[] = {"i8", "i16", "i32"};
            text += tag == TValueType::vaInt64
                        ? QStringLiteral("i64")
                        : QLatin1String(suffix[int(tag) - int(TValueType::vaInt8)]);
        }
        return text;
    }

    // A tagged 8/16/32-bit integer (child positions, item indexes).
    QString SmallIntegerText() {
        const qsizetype at = R.Position();
        const TValueType tag = R.ReadValue();
        if (tag != TValueType::vaInt8 && tag != TValueType::vaInt16 && tag != TValueType::vaInt32)
            throw EReadError(QStringLiteral("Integer expected at offset %1").arg(at));
        return IntegerText(tag);
    }

    void Component(int indent) {
        const TNestingGuard guard = Enter();
        int flags = 0;
        bool hasPrefix = false;
        QString childPos;
        if ((quint8(R.NextValue()) & 0xF0) == 0xF0) {
            hasPrefix = true;
            flags = quint8(R.Read(1)[0]) & 0x0F;
            if (flags & ffChildPos)
                childPos = SmallIntegerText();
        }
        const qsizetype classAt = R.Position();
        const QByteArray className = R.ReadStr();
        if (className.size() > MaxClassNameLength)
            throw EReadError(QStringLiteral("Class name longer than %1 bytes at offset %2")
                                 .arg(MaxClassNameLength)
                                 .arg(classAt));
        const QByteArray name = R.ReadStr();
        QString line = Indent(indent);
        if ((flags & (ffInherited | ffInline)) == (ffInherited | ffInline))
            line += QLatin1String("inherited inline ");
        else if (flags & ffInherited)
            line += QLatin1String("inherited ");
        else if (flags & ffInline)
            line += QLatin1String("inline ");
        else
            line += QLatin1String("object ");
        if (name.isEmpty())
            line += Name(className);
        else
            line += Name(name) + QLatin1String(": ") + Name(className);
        if (flags & ffChildPos)
            line += QLatin1String(" [") + childPos + u']';
        if (hasPrefix && (flags == 0 || (flags & 8)))
            line += QLatin1String(" !") + QString::number(flags);
        Out += line + u'\n';

        while (!R.EndOfList())
            Property(indent + 2);
        R.ReadListEnd();
        while (!R.EndOfList())
            Component(indent + 2);
        R.ReadListEnd();
        Out += Indent(indent) + QLatin1String("end\n");
    }

    void Property(int indent) {
        Out += Indent(indent) + Name(R.ReadStr()) + QLatin1String(" = ");
        Value(indent);
        Out += u'\n';
    }

    QByteArray ReadCounted(qsizetype unit) {
        const qsizetype at = R.Position();
        const qint32 count = R.ReadInt32Raw();
        if (count < 0 || count > (R.Size() - R.Position()) / unit)
            throw EReadError(QStringLiteral("Invalid length %1 at offset %2").arg(count).arg(at));
        return R.Read(count * unit);
    }

    QString FloatText(const QByteArray& raw, double value, QChar suffix) {
        if (std::isfinite(value))
            return ShortestText(value) + (suffix == u'e' ? QString() : QString(suffix));
        return u'%' + QString(suffix) + HexBigEndian(raw);
    }

    void Value(int indent) {
        const TValueType tag = R.ReadValue();
        switch (tag) {
        case TValueType::vaNull:
            Out += QLatin1String("Null");
            return;
        case TValueType::vaFalse:
            Out += QLatin1String("False");
            return;
        case TValueType::vaTrue:
            Out += QLatin1String("True");
            return;
        case TValueType::vaNil:
            Out += QLatin1String("nil");
            return;
        case TValueType::vaList: {
            const TNestingGuard guard = Enter();
            Out += u'(';
            while (!R.EndOfList()) {
                Out += u'\n' + Indent(indent + 2);
                Value(indent + 2);
            }
            R.ReadListEnd();
            Out += u')';
            return;
        }
        case TValueType::vaInt8:
        case TValueType::vaInt16:
        case TValueType::vaInt32:
        case TValueType::vaInt64:
            Out += IntegerText(tag);
            return;
        case TValueType::vaExtended: {
            const QByteArray raw = R.Read(10);
            const double d = ExtendedToDouble(raw.constData());
            if (std::isfinite(d) && DoubleToExtended(d) == raw)
                Out += ShortestText(d);
            else
                Out += QLatin1String("%e") + HexBigEndian(raw);
            return;
        }
        case TValueType::vaSingle: {
            const QByteArray raw = R.Read(4);
            const float f = std::bit_cast<float>(qFromLittleEndian<quint32>(raw.constData()));
            Out +=
                std::isfinite(f) ? ShortestText(f) + u's' : QLatin1String("%s") + HexBigEndian(raw);
            return;
        }
        case TValueType::vaDouble:
        case TValueType::vaDate: {
            const QByteArray raw = R.Read(8);
            const double d = std::bit_cast<double>(qFromLittleEndian<quint64>(raw.constData()));
            Out += FloatText(raw, d, tag == TValueType::vaDouble ? u'r' : u'd');
            return;
        }
        case TValueType::vaCurrency:
            Out += CurrencyText(R.ReadInt64Raw());
            return;
        case TValueType::vaString: {
            // Text beyond ASCII reads back as a wide string unless marked as 8-bit.
            const QByteArray bytes = R.ReadStr();
            Out +=
                Quoted(FromAnsi(bytes), IsAscii(bytes) ? QString() : QStringLiteral("A"), indent);
            return;
        }
        case TValueType::vaLString: {
            const QByteArray bytes = ReadCounted(1);
            Out += Quoted(FromAnsi(bytes),
                          bytes.size() <= 255 || !IsAscii(bytes) ? QStringLiteral("L") : QString(),
                          indent);
            return;
        }
        case TValueType::vaWString: {
            const QByteArray units = ReadCounted(2);
            QString text(units.size() / 2, Qt::Uninitialized);
            for (qsizetype i = 0; i < text.size(); ++i)
                text[i] = QChar(qFromLittleEndian<quint16>(units.constData() + 2 * i));
            Out += Quoted(text, IsAscii(text) ? QStringLiteral("W") : QString(), indent);
            return;
        }
        case TValueType::vaUTF8String:
            Out += Quoted(QString::fromUtf8(ReadCounted(1)), QStringLiteral("U"), indent);
            return;
        case TValueType::vaIdent: {
            const QString text = FromAnsi(R.ReadStr());
            Out += IsPlainName(text) && !IsReservedValue(text)
                       ? text
                       : Quoted(text, QStringLiteral("I"), indent);
            return;
        }
        case TValueType::vaBinary: {
            const qint32 length = R.ReadInt32Raw();
            const QByteArray bytes = length > 0 ? R.Read(length) : QByteArray();
            Out += u'{';
            const QString hex = QString::fromLatin1(bytes.toHex().toUpper());
            for (qsizetype i = 0; i < hex.size(); i += LineWidth)
                Out += u'\n' + Indent(indent + 2) + hex.mid(i, LineWidth);
            Out += u'}';
            return;
        }
        case TValueType::vaSet: {
            QStringList names;
            for (;;) {
                const QByteArray element = R.ReadStr();
                if (element.isEmpty())
                    break;
                names.append(Name(element));
            }
            Out += u'[' + names.join(QLatin1String(", ")) + u']';
            return;
        }
        case TValueType::vaCollection: {
            const TNestingGuard guard = Enter();
            Out += u'<';
            while (!R.EndOfList()) {
                Out += u'\n' + Indent(indent + 2) + QLatin1String("item");
                const TValueType next = R.NextValue();
                if (next == TValueType::vaInt8 || next == TValueType::vaInt16 ||
                    next == TValueType::vaInt32)
                    Out += QLatin1String(" [") + SmallIntegerText() + u']';
                Out += u'\n';
                R.ReadListBegin();
                while (!R.EndOfList())
                    Property(indent + 4);
                R.ReadListEnd();
                Out += Indent(indent + 2) + QLatin1String("end");
            }
            R.ReadListEnd();
            Out += u'>';
            return;
        }
        }
    }

public:
    // Only ASCII goes between quotes: every other code unit is written as #nnn, which any
    // reader of the notation takes the same way whatever its own code page.
    static bool IsPrintable(QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }

    // The text as quoted pieces and #codes, broken into continuation lines.
    static QString Quoted(const QString& text, const QString& prefix, int indent) {
        QStringList pieces;
        QString run;
        auto flush = [&] {
            if (!run.isEmpty())
                pieces.append(u'\'' + run + u'\'');
            run.clear();
        };
        int runLength = 0;
        for (const QChar c : text) {
            if (!IsPrintable(c)) {
                flush();
                runLength = 0;
                pieces.append(u'#' + QString::number(c.unicode()));
                continue;
            }
            if (runLength + 1 > LineWidth) {
                flush();
                runLength = 0;
            }
            if (c == u'\'')
                run += u'\'';
            run += c;
            ++runLength;
        }
        flush();
        if (pieces.isEmpty())
            pieces.append(QStringLiteral("''"));
        QString out = prefix;
        qsizetype lineLength = 0;
        for (const QString& piece : pieces) {
            if (lineLength > 0 && lineLength + piece.size() > LineWidth + 2) {
                out += QLatin1String(" +\n") + QString(indent + 2, u' ');
                lineLength = 0;
            }
            out += piece;
            lineLength += piece.size();
        }
        return out;
    }

private:
    TReader R;
    QString Out;
    int Depth = 0;
};

} // namespace

QString FormBinaryToText(const QByteArray& binary) {
    return TTextWriter(binary).Run();
}

} // namespace lumotrix
