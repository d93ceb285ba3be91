#include "localisation/TranslationLimits.h"

#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/NestingGuard.h"
#include "runtime/ResourceFile.h"

namespace lumotrix {

namespace {

// Counts the sections and values of form streams as the translator reads them, and stops
// once the total passes the bound.
class TWriteCounter {
public:
    // Counts every form of the file, stopping at the bound.
    void CountFile(const TResourceFile& file) {
        try {
            for (const TResourceEntry& e : file.Entries())
                if (e.Type.Matches(RT_RCDATA))
                    CountStream(e.Data);
        } catch (const TPassed&) {
        }
    }

    bool Passed() const { return FTotal > MaxTranslationWrites; }

private:
    void CountStream(const QByteArray& stream) {
        TReader reader(stream);
        reader.SetIgnoreTagBit7(true);
        if (reader.Size() < FormSignature.size() ||
            reader.Read(FormSignature.size()) != FormSignature)
            return;
        try {
            Section(reader, 0);
        } catch (const EReadError&) {
            // Counted as far as it reads.
        }
    }

    void Add() {
        if (++FTotal > MaxTranslationWrites)
            throw TPassed();
    }

    void Section(TReader& reader, int depth) {
        Nest(reader, depth);
        int flags = 0;
        int childPos = 0;
        reader.ReadPrefix(flags, childPos);
        reader.ReadStr();
        reader.ReadStr();
        Add();
        Properties(reader, depth);
        while (!reader.EndOfList())
            Section(reader, depth + 1);
        reader.ReadListEnd();
    }

    void Properties(TReader& reader, int depth) {
        while (!reader.EndOfList()) {
            reader.ReadStr();
            Value(reader, depth);
        }
        reader.ReadListEnd();
    }

    void Value(TReader& reader, int depth) {
        Nest(reader, depth);
        switch (reader.NextValue()) {
        case TValueType::vaList:
            reader.ReadListBegin();
            while (!reader.EndOfList())
                Value(reader, depth + 1);
            reader.ReadListEnd();
            return;
        case TValueType::vaCollection:
            reader.ReadValue();
            while (!reader.EndOfList()) {
                const TValueType tag = reader.NextValue();
                if (tag == TValueType::vaInt8 || tag == TValueType::vaInt16 ||
                    tag == TValueType::vaInt32)
                    reader.ReadInteger();
                reader.ReadListBegin();
                Properties(reader, depth + 1);
            }
            reader.ReadListEnd();
            return;
        default:
            Add();
            reader.SkipValue();
        }
    }

    // Deeper than the translator reads is an error there, not work here.
    static void Nest(const TReader& reader, int depth) {
        if (depth >= MaxNesting)
            throw EReadError(QStringLiteral("Form stream nested too deeply at offset %1")
                                 .arg(reader.Position()));
    }

    struct TPassed {};
    int FTotal = 0;
};

} // namespace

void CheckTranslationBounds(const TResourceFile& file) {
    for (const TResourceEntry& e : file.Entries())
        if (e.Type.Matches(RT_RCDATA) && e.Data.size() > MaxFormStreamSize)
            throw EReadError(QStringLiteral("form %1 is larger than %2 MiB")
                                 .arg(e.Name.ToString())
                                 .arg(MaxFormStreamSize / (1024 * 1024)));
    TWriteCounter counter;
    counter.CountFile(file);
    if (counter.Passed())
        throw EReadError(
            QStringLiteral("its forms ask for more than %1 writes").arg(MaxTranslationWrites));
}

} // namespace lumotrix
