// Bundle info lists, XML or binary: nothing crashes, and every list that is
// measured acceptable parses into a tree no deeper and no larger than its
// measure, so the library's recursion is bounded by the limits.
//
// Input: the property list's bytes.
#include "fuzzsupport.h"

#include "platform/linux/filesystembundles.h"
#include "platform/linux/propertylistshape.h"

#include <plist/plist.h>

#include <cstdlib>
#include <utility>
#include <vector>

using namespace Velmora;
using Velmora::Linux::FileSystemBundles;
using Velmora::Linux::PropertyListShape;

namespace {

// The depth of the parsed tree (a lone value has depth 1) and its number of
// values, keys included, walked without recursion.
std::pair<int, qint64> treeSize(plist_t root)
{
    int depth = 0;
    qint64 values = 0;
    std::vector<std::pair<plist_t, int>> pending { { root, 1 } };
    while (!pending.empty()) {
        const auto [node, level] = pending.back();
        pending.pop_back();
        ++values;
        depth = std::max(depth, level);
        if (plist_get_node_type(node) == PLIST_ARRAY) {
            const uint32_t count = plist_array_get_size(node);
            for (uint32_t i = 0; i < count; ++i)
                pending.emplace_back(plist_array_get_item(node, i), level + 1);
        } else if (plist_get_node_type(node) == PLIST_DICT) {
            plist_dict_iter entries = nullptr;
            plist_dict_new_iter(node, &entries);
            for (;;) {
                // No key asked for: the library asserts on a key with a NUL in it.
                plist_t item = nullptr;
                plist_dict_next_item(node, entries, nullptr, &item);
                if (!item)
                    break;
                ++values; // the key
                pending.emplace_back(item, level + 1);
            }
            std::free(entries);
        }
    }
    return { depth, values };
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    // Small limits too, so that the inputs a fuzzer reaches cross them.
    PropertyListShape::measure(bytes, 6, 40);

    const PropertyListShape shape = PropertyListShape::measure(bytes);
    if (shape.isAcceptable()) {
        plist_t root = nullptr;
        plist_from_memory(bytes.constData(), uint32_t(bytes.size()), &root);
        if (root) {
            const auto [depth, values] = treeSize(root);
            FUZZ_CHECK(depth <= shape.depth() && values <= shape.values(),
                QStringLiteral("parsed %1 deep with %2 values, measured %3 deep with %4")
                    .arg(depth)
                    .arg(values)
                    .arg(shape.depth())
                    .arg(shape.values()));
            plist_free(root);
        }
    }
    FileSystemBundles::infoFromPropertyList(bytes, QStringLiteral("input"));
    return 0;
}
