#include "portal/resources/PortalImages.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: they are registered by hand before first use.
static void registerPortalResources() {
    Q_INIT_RESOURCE(portal);
}

namespace lumera::portal {

namespace {

// A picture drawn crisply at the size it is used at.
QPixmap render(const QString& path, QSize size) {
    QSvgRenderer renderer(path);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon iconAt(const QString& path, std::initializer_list<int> sizes) {
    QIcon icon;
    for (int s : sizes)
        icon.addPixmap(render(path, QSize(s, s)));
    return icon;
}

ImageList loadList(const QString& folder, int size) {
    registerPortalResources();
    QStringList names = QDir(":/portal/icons/" + folder).entryList({"*.svg"}, QDir::Files);
    names.sort();
    QList<QIcon> images;
    for (const QString& name : names)
        images.append(iconAt(":/portal/icons/" + folder + "/" + name, {size, size * 2}));
    return ImageList(QSize(size, size), images);
}

} // namespace

ImageList toolbarImages() {
    return loadList("toolbar", 32);
}

ImageList treeImages() {
    return loadList("tree", 16);
}

QIcon programIcon() {
    registerPortalResources();
    return iconAt(":/portal/icons/korvid.svg", {16, 22, 24, 32, 48, 64, 128});
}

QPixmap closeButtonPicture() {
    registerPortalResources();
    return render(":/portal/icons/close.svg", QSize(52, 19));
}

} // namespace lumera::portal
