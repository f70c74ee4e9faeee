#include "support/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lumera::test {

TestFolder::TestFolder() : dir_(QDir::tempPath() + "/lumera-case-XXXXXX") {}

QString TestFolder::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray TestFolder::read(const QString& name) const {
    QFile f(name.startsWith('/') ? name : file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace lumera::test
