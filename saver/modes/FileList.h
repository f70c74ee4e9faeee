#pragma once

#include <QString>
#include <QStringList>

namespace lumera::saver {

// The saver's file-list control: the names in one folder that match a name pattern
// ("*.jav"), matched without regard to case and sorted by name; names beginning with "." are
// not listed. The list is read again
// whenever the folder or the pattern is set.
class FileList {
public:
    explicit FileList(QString pattern = QStringLiteral("*.swf"));

    QString Path() const { return path_; }
    // Points the list at a folder. A folder that does not exist (or is a file) leaves the
    // list where it was and returns false.
    bool setPath(const QString& folder);

    QString Pattern() const { return pattern_; }
    void setPattern(const QString& pattern);

    int ListCount() const { return static_cast<int>(names_.size()); }
    // The name at index i; empty outside the list.
    QString List(int i) const { return names_.value(i); }
    const QStringList& names() const { return names_; }

    // The names of a folder that match a pattern, in the order the list shows them.
    static QStringList matching(const QString& folder, const QString& pattern);

private:
    void refresh();

    QString path_;
    QString pattern_;
    QStringList names_;
};

} // namespace lumera::saver
