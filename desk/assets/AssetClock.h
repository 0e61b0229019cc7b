#pragma once
// Today's date for the asset window (the proposed in-service month, the future-date question); tests set it.

#include <functional>

#include <QDate>

namespace tally::desk::assets {

inline std::function<QDate()>& assetClock() {
    static std::function<QDate()> clock = [] { return QDate::currentDate(); };
    return clock;
}

inline QDate today() { return assetClock()(); }

}  // namespace tally::desk::assets
