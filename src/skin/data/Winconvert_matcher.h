#pragma once
// Match search of the LZH encoder: 256 binary search trees over the strings
// that start at the ring positions, one tree per first byte. Inserting a
// position finds the longest earlier string sharing its prefix (up to F
// bytes) and, among equally long ones met on the search path, the nearest.
// A string equal to an inserted one over all F bytes replaces the older node,
// so no tree holds two identical F-byte strings.

#include <cstdint>

#include "skin/data/Winconvert_tables.h"

namespace relayon::skin::lzh {

class MatchTrees {
public:
    MatchTrees();  // InitTree, and a zeroed ring buffer

    // Adds position r to its tree and leaves the best match on the search
    // path in match_length / match_position.
    void InsertNode(int r);
    // Adds position r to its tree, as InsertNode does, but keeps no match
    // (match_length and match_position are not updated): for the positions
    // inside a match being coded, whose matches nobody asks for.
    void InsertNodeSkippingMatch(int r);
    void DeleteNode(int p);

    // Ring buffer; bytes N..N+F-2 mirror bytes 0..F-2 so that a string can be
    // compared without wrapping. The tail of 8 bytes lets the comparison read
    // whole words; it never changes the result.
    uint8_t text_buf[N + F - 1 + 8];
    int match_position = 0;  // distance - 1 of the best match found by InsertNode
    int match_length = 0;

private:
    template <bool kFindMatch>
    void Insert(int r);

    // Result of a search; without a match, match_position keeps its value.
    void SetBestMatch(bool found, int length, int nearness) {
        if (!found) return;
        match_length = length;
        match_position = N - nearness - 1;
    }

    // Children side by side, so the search picks one by index instead of by
    // a branch: son_[p][0] is the left child, son_[p][1] the right one.
    uint16_t& lson(int p) { return son_[p][0]; }
    uint16_t& rson(int p) { return son_[p][1]; }
    // Makes `replacement` the child of `parent` that `child` was. The side is
    // an index, not a branch: it is either one about equally often, and a
    // mispredicted branch here cost a fifth of the node deletion time.
    void ReplaceChild(int parent, int child, int replacement) {
        son_[parent][rson(parent) == child] = static_cast<uint16_t>(replacement);
    }

    // Roots of the 256 trees are rson(N + 1 + byte); index N (NIL) absorbs
    // the parent writes of missing children.
    uint16_t son_[N + 257][2];
    uint16_t dad[N + 257];
};

}  // namespace relayon::skin::lzh
