#include "FormStrings.h"

#include "runtime/CodePage.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/NestingGuard.h"

namespace lumotrix {

namespace {

bool IsAscii(const QString& text) {
    for (QChar c : text)
        if (c.unicode() > 127)
            return false;
    return true;
}

bool IsStringTag(TValueType tag) {
    return tag == TValueType::vaString || tag == TValueType::vaLString ||
           tag == TValueType::vaWString || tag == TValueType::vaUTF8String;
}

bool IsIndexTag(TValueType tag) {
    return tag == TValueType::vaInt8 || tag == TValueType::vaInt16 || tag == TValueType::vaInt32;
}

class TRewriter {
public:
    TRewriter(const QByteArray& form, const TFormStringVisitor& visit) : R(form), Visit(visit) {}

    QByteArray Run() {
        R.ReadSignature();
        W.WriteSignature();
        Component();
        if (!R.AtEnd())
            throw EReadError(QStringLiteral("Unexpected data after the root section at offset %1")
                                 .arg(R.Position()));
        return W.Data();
    }

private:
    // Copies what `read` consumes from the input to the output unchanged.
    template <typename F> void Copy(F read) {
        const qsizetype start = R.Position();
        read();
        W.WriteRaw(R.Data().mid(start, R.Position() - start));
    }

    TNestingGuard Enter() {
        return TNestingGuard(Depth, [this] {
            throw EReadError(
                QStringLiteral("Form stream nested too deeply at offset %1").arg(R.Position()));
        });
    }

    void Component() {
        const TNestingGuard guard = Enter();
        int flags = 0, childPos = -1;
        Copy([&] { R.ReadPrefix(flags, childPos); });
        QByteArray className, name;
        Copy([&] {
            className = R.ReadStr();
            name = R.ReadStr();
        });
        const QString cls = FromAnsi(className);
        if (Depth == 1)
            Where.FormClass = cls;
        // An unnamed component is known by its position among its siblings.
        Where.Components.append(name.isEmpty() ? u'#' + QString::number(ChildIndex.back())
                                               : FromAnsi(name));
        const QString ownerClass = Where.ComponentClass;
        Where.ComponentClass = cls;

        while (!R.EndOfList()) {
            QByteArray property;
            Copy([&] { property = R.ReadStr(); });
            const QString propertyName = FromAnsi(property);
            Value(propertyName, {propertyName});
        }
        Copy([&] { R.ReadListEnd(); });
        ChildIndex.append(0);
        while (!R.EndOfList()) {
            Component();
            ++ChildIndex.back();
        }
        ChildIndex.removeLast();
        Copy([&] { R.ReadListEnd(); });

        Where.ComponentClass = ownerClass;
        Where.Components.removeLast();
    }

    void Value(const QString& property, const QStringList& names) {
        const TValueType tag = R.NextValue();
        if (IsStringTag(tag)) {
            const qsizetype start = R.Position();
            TFormString found = Where;
            found.Property = property;
            for (const QString& n : names)
                found.PropertyNames += n.split(u'.');
            found.Text = R.ReadWideString();
            if (const std::optional<QString> replacement = Visit(found))
                WriteString(*replacement);
            else
                W.WriteRaw(R.Data().mid(start, R.Position() - start));
        } else if (tag == TValueType::vaList) {
            const TNestingGuard guard = Enter();
            Copy([&] { R.ReadListBegin(); });
            for (int i = 0; !R.EndOfList(); ++i)
                Value(property + QStringLiteral("[%1]").arg(i), names);
            Copy([&] { R.ReadListEnd(); });
        } else if (tag == TValueType::vaCollection) {
            const TNestingGuard guard = Enter();
            Copy([&] { R.ReadValue(); });
            for (int i = 0; !R.EndOfList(); ++i) {
                if (IsIndexTag(R.NextValue()))
                    Copy([&] { R.ReadInteger(); });
                Copy([&] { R.ReadListBegin(); });
                const QString item = property + QStringLiteral("[%1].").arg(i);
                while (!R.EndOfList()) {
                    QByteArray name;
                    Copy([&] { name = R.ReadStr(); });
                    const QString itemProperty = FromAnsi(name);
                    Value(item + itemProperty, names + QStringList{itemProperty});
                }
                Copy([&] { R.ReadListEnd(); });
            }
            Copy([&] { R.ReadListEnd(); });
        } else {
            Copy([&] { R.SkipValue(); });
        }
    }

    void WriteString(const QString& text) {
        if (IsAscii(text))
            W.WriteString(text.toLatin1());
        else
            W.WriteWideString(text);
    }

    TReader R;
    TWriter W;
    const TFormStringVisitor& Visit;
    TFormString Where;
    QList<int> ChildIndex{0};
    int Depth = 0;
};

} // namespace

QByteArray RewriteFormStrings(const QByteArray& form, const TFormStringVisitor& visit) {
    return TRewriter(form, visit).Run();
}

} // namespace lumotrix
