#pragma once

#include "model/ConfigRecords.h"
#include "runtime/TableObserver.h"

#include <QByteArray>
#include <functional>

namespace lumotrix {

class TConfiguration;

// Whether the configuration on screen differs from the one last opened, saved, received or
// cleared: the timers and port names as committed, and the temperature page. Compared as values,
// so an edit taken back by hand counts as no change.
class TUnsavedChanges final : private ITableObserver {
public:
    using TReadTemperature = std::function<TTemperatureSettings()>;
    using TShow = std::function<void(bool modified)>;

    TUnsavedChanges(TConfiguration& configuration, TReadTemperature temperature, TShow show);
    ~TUnsavedChanges();
    TUnsavedChanges(const TUnsavedChanges&) = delete;
    TUnsavedChanges& operator=(const TUnsavedChanges&) = delete;

    // What is on screen now is what the files or the controller hold.
    void MarkSaved();
    // Compares again and shows the result; called on every change of the temperature page.
    void Check();
    bool Modified() const { return FModified; }

private:
    void TableChanged(const TTableChange& change) override;
    struct TSnapshot {
        QByteArray Timers;
        QByteArray Ports;
        TTemperatureSettings Temperature;
        bool operator==(const TSnapshot&) const = default;
    };
    TSnapshot Take() const;

    TConfiguration& FConfiguration;
    TReadTemperature FTemperature;
    TShow FShow;
    TSnapshot FSaved;
    bool FModified = false;
};

} // namespace lumotrix
