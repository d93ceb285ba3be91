// Form text -> binary form stream.

#include "runtime/TextForm.h"

#include "runtime/CodePage.h"
#include "runtime/FormStream.h"
#include "runtime/NestingGuard.h"
#include "runtime/TextFormLexer.h"
#include "runtime/TextFormSyntax.h"

#include <QtEndian>
#include <cmath>
#include <limits>

namespace lumotrix {

using namespace textform;

namespace {

class TTextParser {
public:
    explicit TTextParser(QString text) : L(std::move(text)) {}

    QByteArray Run() {
        W.WriteSignature();
        const TToken first = L.Next();
        if (!IsSectionStart(first))
            L.Fail(QStringLiteral("'object', 'inherited' or 'inline' expected"), first);
        Component(first);
        const TToken rest = L.Next();
        if (rest.Kind != TToken::End)
            L.Fail(QStringLiteral("Text after the final 'end'"), rest);
        return W.Data();
    }

private:
    static bool IsSectionStart(const TToken& t) {
        return t.IsWord("object") || t.IsWord("inherited") || t.IsWord("inline");
    }

    TNestingGuard Enter(const TToken& t) {
        return TNestingGuard(Depth, [&] { L.Fail(QStringLiteral("Nested too deeply"), t); });
    }

    // Runs a writer call, turning its range/length errors into errors at the token.
    template <typename F> void Emit(const TToken& t, F&& write) {
        try {
            write();
        } catch (const EWriteError& e) {
            L.Fail(e.Message(), t);
        } catch (const ERangeError& e) {
            L.Fail(e.Message(), t);
        }
    }

    QByteArray AnsiOf(const TToken& t, const QString& text) {
        if (!IsAnsiRepresentable(text))
            L.Fail(QStringLiteral("Character outside Windows-1252 in a name"), t);
        QByteArray bytes = ToAnsi(text);
        if (bytes.size() > 255)
            L.Fail(QStringLiteral("Name longer than 255 bytes"), t);
        return bytes;
    }

    QByteArray NameOf(const TToken& t) {
        if (t.Kind == TToken::Ident || (t.Kind == TToken::String && t.Prefix.isNull()))
            return AnsiOf(t, t.Text);
        L.Fail(QStringLiteral("Name expected"), t);
    }

    TToken Expect(char16_t symbol) {
        const TToken t = L.Next();
        if (!t.Is(symbol))
            L.Fail(QStringLiteral("'%1' expected").arg(QChar(symbol)), t);
        return t;
    }

    void Component(const TToken& header) {
        const TNestingGuard guard = Enter(header);
        int flags = 0;
        if (header.IsWord("inherited")) {
            flags |= ffInherited;
            if (L.Peek().IsWord("inline")) {
                L.Next();
                flags |= ffInline;
            }
        } else if (header.IsWord("inline")) {
            flags |= ffInline;
        }
        const TToken nameToken = L.Next();
        QByteArray name = NameOf(nameToken);
        QByteArray className;
        TToken classToken = nameToken;
        if (L.Peek().Is(u':')) {
            L.Next();
            classToken = L.Next();
            className = NameOf(classToken);
        } else {
            className = name;
            name.clear();
        }
        if (className.size() > MaxClassNameLength)
            L.Fail(QStringLiteral("Class name longer than %1 bytes").arg(MaxClassNameLength),
                   classToken);
        TToken childPos;
        bool hasChildPos = false;
        if (L.Peek().Is(u'[')) {
            L.Next();
            childPos = IntegerToken();
            Expect(u']');
            hasChildPos = true;
            flags |= ffChildPos;
        }
        bool hasPrefix = flags != 0;
        if (L.Peek().Is(u'!')) {
            L.Next();
            const TToken raw = L.Next();
            if (raw.Kind != TToken::Integer || raw.Int < 0 || raw.Int > 15)
                L.Fail(QStringLiteral("Prefix flags 0 to 15 expected"), raw);
            flags = int(raw.Int);
            hasPrefix = true;
            if (bool(flags & ffChildPos) != hasChildPos)
                L.Fail(QStringLiteral("Prefix flags do not match the child position"), raw);
        }
        if (hasPrefix) {
            W.WriteRaw(QByteArray(1, char(0xF0 | flags)));
            if (hasChildPos)
                WriteInteger(childPos, false);
        }
        W.WriteStr(className);
        W.WriteStr(name);

        bool inChildren = false;
        for (;;) {
            const TToken t = L.Next();
            if (t.IsWord("end"))
                break;
            if (IsSectionStart(t)) {
                if (!inChildren)
                    W.WriteListEnd();
                inChildren = true;
                Component(t);
                continue;
            }
            if (t.Kind == TToken::End)
                L.Fail(QStringLiteral("'end' expected"), t);
            if (inChildren)
                L.Fail(QStringLiteral("Property after a child object"), t);
            Property(t);
        }
        if (!inChildren)
            W.WriteListEnd();
        W.WriteListEnd();
    }

    void Property(const TToken& nameToken) {
        const QByteArray name = NameOf(nameToken);
        // An empty name would read as the end of the property list.
        if (name.isEmpty())
            L.Fail(QStringLiteral("Empty property name"), nameToken);
        W.WriteStr(name);
        Expect(u'=');
        Value(L.Next());
    }

    TToken IntegerToken() {
        const TToken t = L.Next();
        if (t.Kind != TToken::Integer)
            L.Fail(QStringLiteral("Integer expected"), t);
        return t;
    }

    void WriteInteger(const TToken& t, bool allowInt64) {
        const TValueType tag = t.Width == TValueType::vaNull ? SmallestIntegerTag(t.Int) : t.Width;
        if (tag == TValueType::vaInt64 && !allowInt64)
            L.Fail(QStringLiteral("Integer out of range"), t);
        Emit(t, [&] { W.WriteTaggedInteger(tag, t.Int); });
    }

    void Value(const TToken& t) {
        switch (t.Kind) {
        case TToken::Integer:
            WriteInteger(t, true);
            return;
        case TToken::Float:
            if (t.FloatKind == u'c')
                W.WriteCurrency(t.Int);
            else if (t.FloatKind == u's')
                W.WriteSingle(float(t.Real));
            else if (t.FloatKind == u'r')
                W.WriteDouble(t.Real);
            else if (t.FloatKind == u'd')
                W.WriteDate(t.Real);
            else
                W.WriteFloat(t.Real);
            return;
        case TToken::RawFloat: {
            const char16_t k = t.FloatKind.unicode();
            W.WriteValue(k == 'e'   ? TValueType::vaExtended
                         : k == 's' ? TValueType::vaSingle
                         : k == 'r' ? TValueType::vaDouble
                                    : TValueType::vaDate);
            W.WriteRaw(t.Raw);
            return;
        }
        case TToken::String:
            StringValue(t);
            return;
        case TToken::Ident:
            Emit(t, [&] { W.WriteIdent(AnsiOf(t, t.Text)); });
            return;
        case TToken::End:
            L.Fail(QStringLiteral("Value expected"), t);
        case TToken::Symbol:
            break;
        }
        if (t.Is(u'(')) {
            const TNestingGuard guard = Enter(t);
            W.WriteListBegin();
            for (;;) {
                const TToken e = L.Next();
                if (e.Is(u')'))
                    break;
                // Null's tag is the byte that ends the list.
                if (e.Kind == TToken::Ident &&
                    e.Text.compare(QLatin1String("Null"), Qt::CaseInsensitive) == 0)
                    L.Fail(QStringLiteral("Null cannot be an element of a list"), e);
                Value(e);
            }
            W.WriteListEnd();
        } else if (t.Is(u'<')) {
            Collection(t);
        } else if (t.Is(u'[')) {
            QList<QByteArray> elements;
            TToken e = L.Next();
            if (!e.Is(u']')) {
                for (;;) {
                    const QByteArray element = NameOf(e);
                    if (element.isEmpty())
                        L.Fail(QStringLiteral("Empty set element"), e);
                    elements.append(element);
                    const TToken sep = L.Next();
                    if (sep.Is(u']'))
                        break;
                    if (!sep.Is(u','))
                        L.Fail(QStringLiteral("',' or ']' expected"), sep);
                    e = L.Next();
                }
            }
            W.WriteSet(elements);
        } else if (t.Is(u'{')) {
            W.WriteBinary(L.ReadHexUntilBrace());
        } else {
            L.Fail(QStringLiteral("Value expected"), t);
        }
    }

    void StringValue(const TToken& t) {
        const char16_t prefix = t.Prefix.unicode();
        if (prefix == 'W') {
            Emit(t, [&] { W.WriteWideString(t.Text); });
        } else if (prefix == 'U') {
            Emit(t, [&] { W.WriteUTF8String(t.Text); });
        } else if (prefix == 'I') {
            W.WriteValue(TValueType::vaIdent);
            W.WriteStr(AnsiOf(t, t.Text));
        } else if (prefix == 'L' || prefix == 'A') {
            if (!IsAnsiRepresentable(t.Text))
                L.Fail(QStringLiteral("Character outside Windows-1252 in an 8-bit string"), t);
            const QByteArray bytes = ToAnsi(t.Text);
            Emit(t, [&] { prefix == 'L' ? W.WriteLString(bytes) : W.WriteString(bytes); });
        } else if (IsAscii(t.Text)) {
            Emit(t, [&] { W.WriteString(ToAnsi(t.Text)); });
        } else {
            // As the standard tools do: any character above 127 makes a wide string, so the
            // text does not depend on the code page of whoever reads the stream.
            Emit(t, [&] { W.WriteWideString(t.Text); });
        }
    }

    void Collection(const TToken& open) {
        const TNestingGuard guard = Enter(open);
        W.WriteCollectionBegin();
        for (;;) {
            const TToken t = L.Next();
            if (t.Is(u'>'))
                break;
            if (!t.IsWord("item"))
                L.Fail(QStringLiteral("'item' or '>' expected"), t);
            if (L.Peek().Is(u'[')) {
                L.Next();
                WriteInteger(IntegerToken(), false);
                Expect(u']');
            }
            W.WriteListBegin();
            for (;;) {
                const TToken p = L.Next();
                if (p.IsWord("end"))
                    break;
                if (p.Kind == TToken::End)
                    L.Fail(QStringLiteral("'end' expected"), p);
                Property(p);
            }
            W.WriteListEnd();
        }
        W.WriteListEnd();
    }

    TLexer L;
    TWriter W;
    int Depth = 0;
};

} // namespace

QByteArray FormTextToBinary(const QString& text) {
    return TTextParser(text).Run();
}

} // namespace lumotrix
