#include "runtime/TableObserver.h"

#include <algorithm>

namespace lumotrix {

void TTableObservers::Attach(ITableObserver* observer) {
    if (observer && std::find(FObservers.begin(), FObservers.end(), observer) == FObservers.end())
        FObservers.push_back(observer);
}

void TTableObservers::Detach(ITableObserver* observer) {
    std::erase(FObservers, observer);
}

void TTableObservers::Notify(const TTableChange& change) {
    const std::vector<ITableObserver*> told = FObservers;
    for (ITableObserver* observer : told)
        if (std::find(FObservers.begin(), FObservers.end(), observer) != FObservers.end())
            observer->TableChanged(change);
}

} // namespace lumotrix
