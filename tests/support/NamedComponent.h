#pragma once

#include "runtime/Classes.h"

#include <gtest/gtest.h>

namespace lumotrix::test {

// A component of `owner` by name, as a screen reader or a UI-automation tool would find it; a
// failure names it when there is none of that class.
template <typename T> T* NamedComponent(TComponent* owner, const char* name) {
    auto* found = dynamic_cast<T*>(owner->FindComponent(QString::fromLatin1(name)));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

} // namespace lumotrix::test
