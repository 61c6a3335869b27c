#include "output/octree_quantizer.h"

#include <array>
#include <cstdint>

namespace qv {
namespace {

constexpr int kMaxLeaves = 256;
constexpr int kNone = -1;

struct Node {
    std::array<int, 8> child{kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    uint64_t count = 0;
    uint64_t red = 0, green = 0, blue = 0;
    bool leaf = false;
};

// Nodes live in one pool and refer to each other by index, so building the tree costs a few
// reallocations rather than one allocation per node.
class Octree {
public:
    Octree() {
        nodes_.reserve(4096);
        root_ = NewNode(0);
    }

    void Add(uint8_t r, uint8_t g, uint8_t b) {
        int node = root_;
        for (int level = 0; !nodes_[size_t(node)].leaf; ++level) {
            const int shift = 7 - level;
            const int index = (((r >> shift) & 1) << 2) | (((g >> shift) & 1) << 1) | ((b >> shift) & 1);
            int next = nodes_[size_t(node)].child[size_t(index)];
            if (next == kNone) {
                next = NewNode(level + 1);
                nodes_[size_t(node)].child[size_t(index)] = next;
            }
            node = next;
        }
        Node& leaf = nodes_[size_t(node)];
        ++leaf.count;
        leaf.red += r;
        leaf.green += g;
        leaf.blue += b;
        while (leaves_ > kMaxLeaves) Reduce();
    }

    std::vector<PaletteEntry> Palette() const {
        std::vector<PaletteEntry> palette;
        Collect(root_, palette);
        return palette;
    }

private:
    int NewNode(int level) {
        int index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
            nodes_[size_t(index)] = Node{};
        } else {
            index = static_cast<int>(nodes_.size());
            nodes_.emplace_back();
        }
        if (level == 8) {
            nodes_[size_t(index)].leaf = true;
            ++leaves_;
        } else {
            reducible_[size_t(level)].push_back(index);  // the back is the front of the list
        }
        return index;
    }

    void Reduce() {
        int level = 7;
        while (level > 0 && reducible_[size_t(level)].empty()) --level;
        if (reducible_[size_t(level)].empty()) return;
        const int index = reducible_[size_t(level)].back();
        reducible_[size_t(level)].pop_back();
        int children = 0;
        for (int c = 0; c < 8; ++c) {
            const int child = nodes_[size_t(index)].child[size_t(c)];
            if (child == kNone) continue;
            Node& n = nodes_[size_t(index)];
            const Node& k = nodes_[size_t(child)];
            n.count += k.count;
            n.red += k.red;
            n.green += k.green;
            n.blue += k.blue;
            n.child[size_t(c)] = kNone;
            free_.push_back(child);
            ++children;
        }
        nodes_[size_t(index)].leaf = true;
        leaves_ -= children - 1;
    }

    void Collect(int index, std::vector<PaletteEntry>& palette) const {
        const Node& n = nodes_[size_t(index)];
        if (n.leaf) {
            if (n.count > 0 && palette.size() < kMaxLeaves) {
                palette.push_back({static_cast<uint8_t>(n.red / n.count),
                                   static_cast<uint8_t>(n.green / n.count),
                                   static_cast<uint8_t>(n.blue / n.count), 255});
            }
            return;
        }
        for (int child : n.child) {
            if (child != kNone) Collect(child, palette);
        }
    }

    std::vector<Node> nodes_;
    std::vector<int> free_;
    std::array<std::vector<int>, 8> reducible_;
    int root_ = 0;
    int leaves_ = 0;
};

}  // namespace

std::vector<PaletteEntry> BuildOctreePalette(const Image& image) {
    Octree tree;
    for (uint32_t p : image.pixels) tree.Add(ArgbR(p), ArgbG(p), ArgbB(p));
    return tree.Palette();
}

}  // namespace qv
