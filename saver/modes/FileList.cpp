#include "saver/modes/FileList.h"

#include <QDir>
#include <QFileInfo>

namespace lumera::saver {

FileList::FileList(QString pattern) : pattern_(std::move(pattern)) {}

bool FileList::setPath(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    path_ = folder;
    refresh();
    return true;
}

void FileList::setPattern(const QString& pattern) {
    pattern_ = pattern;
    refresh();
}

void FileList::refresh() {
    names_ = path_.isEmpty() ? QStringList() : matching(path_, pattern_);
}

QStringList FileList::matching(const QString& folder, const QString& pattern) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return {};
    QDir dir(folder);
    dir.setNameFilters({pattern});
    // Names that begin with "." are the litter of cameras and file managers ("._IMG_0001.jpg"),
    // never photos or movies. A file that cannot be read is listed all the same and fails
    // when it is opened, as any other broken file does.
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

} // namespace lumera::saver
