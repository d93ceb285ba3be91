#include "runtime/Message.h"

#include <QStringList>
#include <exception>

namespace lumotrix {

namespace {

TMessageTexts messageTexts = nullptr;
TMessageTexts stringTableTexts = nullptr;
TMessageTexts builtInTexts = nullptr;

QString TextOf(quint16 id) {
    try {
        if (messageTexts)
            return messageTexts(id);
        return stringTableTexts ? stringTableTexts(id) : QString();
    } catch (const std::exception&) {
        // Wording a failure must not become another failure: the built-in text serves.
        return builtInTexts ? builtInTexts(id) : QString();
    }
}

} // namespace

TMessageArg::TMessageArg(TMessage message)
    : FMessage(std::make_shared<const TMessage>(std::move(message))) {}

void SetMessageTexts(TMessageTexts texts) {
    messageTexts = texts;
}

void SetStringTableTexts(TMessageTexts inForce, TMessageTexts builtIn) {
    stringTableTexts = inForce;
    builtInTexts = builtIn;
}

QString FillArguments(const QString& pattern, const QStringList& args) {
    QString out;
    out.reserve(pattern.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c != QLatin1Char('%') || i + 1 >= pattern.size() || !pattern[i + 1].isDigit()) {
            out += c;
            continue;
        }
        qsizetype end = i + 1;
        int number = 0;
        while (end < pattern.size() && pattern[end].isDigit() && end < i + 3)
            number = number * 10 + pattern[end++].digitValue();
        if (number >= 1 && number <= args.size()) {
            out += args[number - 1];
            i = end - 1;
        } else {
            out += c;
        }
    }
    return out;
}

QString MessageText(const TMessage& message) {
    QStringList args;
    for (const TMessageArg& arg : message.Args)
        args << (arg.Message() ? MessageText(*arg.Message()) : arg.Text());
    const QString pattern = TextOf(message.Id);
    if (!pattern.isEmpty())
        return FillArguments(pattern, args);
    QString fallback = QStringLiteral("[%1]").arg(message.Id);
    if (!args.isEmpty())
        fallback += QLatin1Char(' ') + args.join(QStringLiteral(" | "));
    return fallback;
}

} // namespace lumotrix
