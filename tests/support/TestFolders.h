#pragma once

#include <QString>
#include <QTemporaryDir>

namespace lumera::test {

// A fresh folder for one test, removed afterwards; the test runner already gives every test
// program a private HOME and XDG_CONFIG_HOME, this gives each case its own corner of it.
class TestFolder {
public:
    TestFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    // Writes bytes to a file below the folder, creating folders on the way.
    QString write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};

} // namespace lumera::test
