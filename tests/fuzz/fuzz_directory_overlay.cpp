// The user's directory file edited into anything. Whatever it holds, the reader either takes
// it whole or ignores it, what it takes writes back the same, and the directories built with
// it keep their groups and unique keys.
#include "FuzzSupport.h"
#include "platform/sites/SiteTable.h"
#include "portal/directory/DirectoryOverlay.h"

#include <QSet>
#include <cstdint>

using namespace lumera::fuzz;
using namespace lumera::portal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<DirectoryOverlay> overlay = parseDirectoryOverlay(bytes);
    writeScratchFile("directory.txt", bytes);
    const DirectoryOverlay read = readDirectoryOverlay(scratchFile("directory.txt"));
    require(read == overlay.value_or(DirectoryOverlay{}));
    if (overlay)
        require(parseDirectoryOverlay(directoryOverlayBytes(*overlay)) == overlay);

    static const lumera::SiteTable sites;
    for (const Directory* directory : {&channelDirectory(), &radioDirectory()}) {
        const QList<ShownLeaf> leaves = shownLeaves(*directory, sites, read);
        QSet<QString> keys;
        for (const ShownLeaf& leaf : leaves) {
            require(!leaf.address.isEmpty() && !keys.contains(leaf.address));
            keys.insert(leaf.address);
            require(std::any_of(directory->groups.cbegin(), directory->groups.cend(),
                                [&](const DirectoryGroup& g) { return g.key == leaf.group; }));
        }
        // Built-in leaves only go when removed or changed; own leaves only come from the file.
        require(leaves.size() <= directory->leaves.size() + read.added.size());
        require(leaves.size() + read.changed.size() >= directory->leaves.size());
    }
    return 0;
}
