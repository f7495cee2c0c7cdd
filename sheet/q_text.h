#pragma once

#include <QString>
#include <string_view>

namespace zifrel {

// The core's UTF-8 text as Qt's; the one crossing between the two, in the
// layers that use Qt.
inline QString Q(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace zifrel
