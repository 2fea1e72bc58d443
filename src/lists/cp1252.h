#pragma once

#include <QByteArrayView>
#include <QString>

namespace tirages::lists {

// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control of the same value, as
// Windows itself decodes them, so that no byte is ever lost or rejected.
QString fromCp1252(QByteArrayView bytes);

} // namespace tirages::lists
