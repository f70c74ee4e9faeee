#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

namespace lumera::portal {

// The images of a toolbar or a tree, numbered from 1 as their users number them.
class ImageList {
public:
    ImageList() = default;
    ImageList(QSize imageSize, QList<QIcon> images)
        : imageSize_(imageSize), images_(std::move(images)) {}

    QSize imageSize() const { return imageSize_; }
    int count() const { return static_cast<int>(images_.size()); }
    // Image `index` (1 to count()); an empty icon outside that range.
    QIcon image(int index) const {
        return index >= 1 && index <= count() ? images_.at(index - 1) : QIcon();
    }

private:
    QSize imageSize_;
    QList<QIcon> images_;
};

} // namespace lumera::portal
