#include "ShellConversions.h"

#include "Conversions.h"

namespace tally::desk {

std::int32_t toLong(const QString& text) { return vb::CLng(vb::CDbl(text.toStdString())); }

}  // namespace tally::desk
