#pragma once

#include "runtime/Exception.h"
#include "runtime/SerialSettings.h"

namespace lumotrix {

// Where a port's settings are kept.
enum class TStoreType { stRegistry };
LUMOTRIX_ENUM_NAMES(TStoreType, "stRegistry")

// A failing load or store: an unreadable store or a refused stored value.
class EComPortError : public Exception {
public:
    using Exception::Exception;
};

// The settings under `key` ("HKEY_CURRENT_USER\Software\Velmoran") of the store, one value
// each. Load reads them over `settings` and returns true; when the key does not exist it
// changes nothing and returns false. A value missing under the key keeps the one given. An
// unreadable store or a refused stored value raises EComPortError naming the store or the
// value, and `settings` is left as it was. Store writes the whole set in one write of the
// store, creating the key.
bool LoadComSettings(TStoreType storeType, const QString& key, TComSettings& settings);
void StoreComSettings(TStoreType storeType, const QString& key, const TComSettings& settings);

} // namespace lumotrix
