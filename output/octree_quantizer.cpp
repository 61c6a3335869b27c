#include "output/octree_quantizer.h"

#include <array>
#include <cstdint>

namespace qv {
namespace {

constexpr int kNone = -1;

// A node of a tree over kChannels colour channels: 2^kChannels children a level (eight for red,
// green and blue; sixteen when alpha is quantized together with them).
template <int kChannels>
struct Node {
    static constexpr int kChildren = 1 << kChannels;
    Node() { child.fill(kNone); }
    std::array<int, kChildren> child;
    uint64_t count = 0;
    std::array<uint64_t, kChannels> sum{};
    bool leaf = false;
};

// Nodes live in one pool and refer to each other by index, so building the tree costs a few
// reallocations rather than one allocation per node.
template <int kChannels>
class Octree {
public:
    explicit Octree(int max_leaves) : max_leaves_(max_leaves) {
        nodes_.reserve(4096);
        root_ = NewNode(0);
    }

    void Add(const uint8_t* c) {
        int node = root_;
        for (int level = 0; !nodes_[size_t(node)].leaf; ++level) {
            const int shift = 7 - level;
            int index = 0;
            for (int k = 0; k < kChannels; ++k) index = (index << 1) | ((c[k] >> shift) & 1);
            int next = nodes_[size_t(node)].child[size_t(index)];
            if (next == kNone) {
                next = NewNode(level + 1);
                nodes_[size_t(node)].child[size_t(index)] = next;
            }
            node = next;
        }
        Node<kChannels>& leaf = nodes_[size_t(node)];
        ++leaf.count;
        for (int k = 0; k < kChannels; ++k) leaf.sum[size_t(k)] += c[k];
        while (leaves_ > max_leaves_) Reduce();
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
            nodes_[size_t(index)] = Node<kChannels>{};
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
        for (int c = 0; c < Node<kChannels>::kChildren; ++c) {
            const int child = nodes_[size_t(index)].child[size_t(c)];
            if (child == kNone) continue;
            Node<kChannels>& n = nodes_[size_t(index)];
            const Node<kChannels>& k = nodes_[size_t(child)];
            n.count += k.count;
            for (size_t ch = 0; ch < kChannels; ++ch) n.sum[ch] += k.sum[ch];
            n.child[size_t(c)] = kNone;
            free_.push_back(child);
            ++children;
        }
        nodes_[size_t(index)].leaf = true;
        leaves_ -= children - 1;
    }

    void Collect(int index, std::vector<PaletteEntry>& palette) const {
        const Node<kChannels>& n = nodes_[size_t(index)];
        if (n.leaf) {
            if (n.count > 0 && palette.size() < static_cast<size_t>(max_leaves_)) {
                PaletteEntry e;
                e.r = static_cast<uint8_t>(n.sum[0] / n.count);
                e.g = static_cast<uint8_t>(n.sum[1] / n.count);
                e.b = static_cast<uint8_t>(n.sum[2] / n.count);
                e.a = kChannels > 3 ? static_cast<uint8_t>(n.sum[kChannels - 1] / n.count) : 255;
                palette.push_back(e);
            }
            return;
        }
        for (int child : n.child) {
            if (child != kNone) Collect(child, palette);
        }
    }

    std::vector<Node<kChannels>> nodes_;
    std::vector<int> free_;
    std::array<std::vector<int>, 8> reducible_;
    int root_ = 0;
    int leaves_ = 0;
    int max_leaves_;
};

}  // namespace

std::vector<PaletteEntry> BuildOctreePalette(const Image& image) {
    Octree<3> tree(256);
    for (uint32_t p : image.pixels) {
        const uint8_t c[3] = {ArgbR(p), ArgbG(p), ArgbB(p)};
        tree.Add(c);
    }
    return tree.Palette();
}

std::vector<PaletteEntry> BuildOctreePaletteRgb(const std::vector<uint32_t>& pixels, int max_colours) {
    Octree<3> tree(max_colours);
    for (uint32_t p : pixels) {
        const uint8_t c[3] = {ArgbR(p), ArgbG(p), ArgbB(p)};
        tree.Add(c);
    }
    return tree.Palette();
}

std::vector<PaletteEntry> BuildOctreePaletteRgba(const std::vector<uint32_t>& pixels, int max_colours) {
    Octree<4> tree(max_colours);
    for (uint32_t p : pixels) {
        const uint8_t c[4] = {ArgbR(p), ArgbG(p), ArgbB(p), ArgbA(p)};
        tree.Add(c);
    }
    return tree.Palette();
}

}  // namespace qv
