#include "Catalogue.h"

#include "FormStrings.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace lumotrix {

namespace {

const QString StringTableContext = QStringLiteral("STRINGTABLE|%1");

// Properties whose text names a thing the program looks up (a field, an icon, a font, a port,
// a colour scheme, a folder) or is a picture of a number: translating them would break the
// program, not translate it.
bool NamesSomething(const QStringList& propertyNames) {
    static const QSet<QString> names = {
        QStringLiteral("Name"),       QStringLiteral("FieldName"),
        QStringLiteral("KeyField"),   QStringLiteral("ListField"),
        QStringLiteral("IconName"),   QStringLiteral("PictureName"),
        QStringLiteral("ImageNames"), QStringLiteral("ColorSchemeName"),
        QStringLiteral("Port"),       QStringLiteral("DefaultExt"),
        QStringLiteral("InitialDir"), QStringLiteral("DisplayFormat"),
        QStringLiteral("EditFormat"),
    };
    for (const QString& n : propertyNames)
        if (names.contains(n))
            return true;
    return false;
}

// A text without a single letter ("1", "#0.0") leaves a translator nothing to do.
bool HasLetter(const QString& text) {
    for (QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

bool IsTranslatable(const TFormString& value) {
    return HasLetter(value.Text) && !NamesSomething(value.PropertyNames);
}

QString Context(const TFormString& value) {
    return value.FormClass + u'|' + value.Components.join(u'.') + u'|' + value.Property;
}

QString Comment(const TFormString& value) {
    QString comment = QStringLiteral("%1 of %2 (%3)")
                          .arg(value.Property, value.Components.last(), value.ComponentClass);
    if (value.PropertyNames.last() == QLatin1String("Filter"))
        comment += QStringLiteral("; description|pattern pairs: translate the descriptions only");
    return comment;
}

// printf-style directives as the program's messages use them ("%s", "%d", "%5.1f").
bool HasFormatDirective(const QString& text) {
    static const QRegularExpression directive(QStringLiteral("%-?[0-9]*(\\.[0-9]+)?[sdufegx]"));
    return directive.match(text).hasMatch();
}

bool IsForm(const TResourceEntry& e) {
    return e.Type.Matches(RT_RCDATA) && e.Data.startsWith(FormSignature);
}

QString ResourceName(const TResourceEntry& e) {
    return e.Name.IsOrdinal() ? u'#' + QString::number(e.Name.Ordinal()) : e.Name.Name();
}

// Runs `visit` over every translatable form value, naming the form in a read error.
QByteArray RewriteForm(const TResourceEntry& form, const TFormStringVisitor& visit) {
    try {
        return RewriteFormStrings(form.Data, [&](const TFormString& value) {
            return IsTranslatable(value) ? visit(value) : std::nullopt;
        });
    } catch (const Exception& error) {
        throw EReadError(QStringLiteral("Form %1: %2").arg(ResourceName(form), error.Message()));
    }
}

// The catalogue's entries by context, each used at most once.
class TTranslations {
public:
    explicit TTranslations(const QList<TCatalogueEntry>& catalogue) {
        for (const TCatalogueEntry& e : catalogue)
            FByContext.insert(e.Context, &e);
    }

    // The translation for a built-in text found at `context`, or nullopt to keep the text.
    std::optional<QString> Lookup(const QString& context, const QString& builtIn) {
        std::optional<QString> result;
        const auto range = FByContext.equal_range(context);
        for (auto it = range.first; it != range.second; ++it) {
            const TCatalogueEntry& e = **it;
            if (e.Plural || e.Id != builtIn)
                continue;
            FUsed.insert(&e);
            if (!e.FormatProblem.isEmpty())
                FUnfit.append(&e);
            else if (!e.Fuzzy && !e.Translation.isEmpty() && e.Translation != builtIn)
                result = e.Translation;
        }
        if (range.first != range.second)
            FBuiltIn.insert(context, builtIn);
        return result;
    }

    QStringList Reports(const QList<TCatalogueEntry>& catalogue) const {
        QStringList lines;
        for (const TCatalogueEntry* e : FUnfit)
            lines.append(QStringLiteral("entry %1 \"%2\" left untranslated: %3")
                             .arg(e->Context, e->Id, e->FormatProblem));
        for (const TCatalogueEntry& e : catalogue) {
            if (FUsed.contains(&e))
                continue;
            QString why;
            if (e.Context.isEmpty())
                why = QStringLiteral("it has no context");
            else if (e.Plural)
                why = QStringLiteral("the program has no plural texts");
            else if (FBuiltIn.contains(e.Context))
                why = QStringLiteral("the program's text there is now \"%1\"")
                          .arg(FBuiltIn.value(e.Context));
            else
                why = QStringLiteral("the program has no such text");
            lines.append(QStringLiteral("stale entry %1 \"%2\": %3").arg(e.Context, e.Id, why));
        }
        return lines;
    }

private:
    QMultiHash<QString, const TCatalogueEntry*> FByContext;
    QSet<const TCatalogueEntry*> FUsed;
    QList<const TCatalogueEntry*> FUnfit;
    QHash<QString, QString> FBuiltIn;
};

} // namespace

QList<TCatalogueEntry> ExtractCatalogue(const TResourceFile& resources) {
    QList<TCatalogueEntry> entries;
    auto add = [&](const QString& context, const QString& text, const QString& comment) {
        TCatalogueEntry& e = entries.emplace_back();
        e.Context = context;
        e.Id = text;
        e.Comment = comment;
        return &e;
    };
    for (const TResourceEntry& e : resources.Entries()) {
        if (!IsForm(e))
            continue;
        RewriteForm(e, [&](const TFormString& value) -> std::optional<QString> {
            add(Context(value), value.Text, Comment(value));
            return std::nullopt;
        });
    }
    const QMap<quint16, QString> strings = resources.Strings();
    for (auto it = strings.begin(); it != strings.end(); ++it)
        add(StringTableContext.arg(it.key()), it.value(),
            QStringLiteral("Message %1 of the string table").arg(it.key()))
            ->CFormat = HasFormatDirective(it.value());
    return entries;
}

TResourceFile TranslateResources(const TResourceFile& resources,
                                 const QList<TCatalogueEntry>& catalogue, QStringList& reports) {
    TTranslations translations(catalogue);
    TResourceFile out = resources;
    for (const TResourceEntry& e : resources.Entries()) {
        if (!IsForm(e))
            continue;
        TResourceEntry translated = e;
        translated.Data = RewriteForm(e, [&](const TFormString& value) {
            return translations.Lookup(Context(value), value.Text);
        });
        out.Add(std::move(translated));
    }
    const QMap<quint16, QString> strings = resources.Strings();
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        if (const std::optional<QString> text =
                translations.Lookup(StringTableContext.arg(it.key()), it.value())) {
            const TResourceEntry* block = resources.Find(RT_STRING, quint16(it.key() / 16 + 1));
            out.SetString(it.key(), *text, block ? block->LanguageId : 0);
        }
    }
    reports = translations.Reports(catalogue);
    return out;
}

} // namespace lumotrix
