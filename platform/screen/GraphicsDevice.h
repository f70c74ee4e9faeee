#pragma once

#include <QString>

namespace lumera {

// Whether the machine has a graphics processor that OpenGL could draw with: a render or card
// node of the kernel's DRM, or the NVIDIA driver's control device. Without one, OpenGL is a
// software driver on the processor.
bool hasGraphicsDevice(const QString& deviceFolder = QStringLiteral("/dev"));

} // namespace lumera
