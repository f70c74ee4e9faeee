#include "platform/screen/GraphicsDevice.h"

#include <QDir>
#include <QFileInfo>

namespace lumera {

bool hasGraphicsDevice(const QString& deviceFolder) {
    const QDir dri(deviceFolder + QStringLiteral("/dri"));
    const QStringList nodes{QStringLiteral("renderD*"), QStringLiteral("card*")};
    return !dri.entryList(nodes, QDir::System | QDir::Files | QDir::NoDotAndDotDot).isEmpty() ||
           QFileInfo::exists(deviceFolder + QStringLiteral("/nvidiactl"));
}

} // namespace lumera
