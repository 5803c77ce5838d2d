// The LZH coder as it stood before its speed work (byte-for-byte the
// project's earlier sources, moved into a namespace of their own): the
// classic one-node-at-a-time tree walks and update loops. Tests compare the
// current coder's code streams and outputs against it.

#include "Winconvert_reference.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "skin/data/Winconvert_tables.h"

namespace relayon::skin::lzh_reference {

// The fixed stream parameters and position tables are shared.
using lzh::d_code;
using lzh::d_len;
using lzh::F;
using lzh::MatchLengthOf;
using lzh::MatchSymbol;
using lzh::MAX_FREQ;
using lzh::N;
using lzh::N_CHAR;
using lzh::NIL;
using lzh::p_code;
using lzh::p_len;
using lzh::R;
using lzh::kSpaceFill;
using lzh::T;
using lzh::THRESHOLD;

// Buffered byte and bit I/O for the LZH coder. Bytes move in blocks through
// a refill/drain function (never one call per byte); bits go out and come in
// most significant first, the last byte padded with zero bits.



inline constexpr size_t kIoBlock = 0xFFFF;  // largest block a 16-bit count can describe

// Byte source over a memory range, optionally refilled from a function.
class ByteInput {
public:
    // Delivers up to `capacity` bytes into `buffer`; 0 means the input is exhausted.
    using Refill = std::function<size_t(uint8_t* buffer, size_t capacity)>;

    explicit ByteInput(std::span<const uint8_t> data)
        : p_(data.data()), end_(data.data() + data.size()) {}
    explicit ByteInput(Refill refill) : refill_(std::move(refill)), buffer_(kIoBlock) {}

    // Next byte, or -1 once the input is exhausted.
    int Get() {
        if (p_ == end_ && !Fill()) return -1;
        return *p_++;
    }
    // Next byte; a byte that cannot be read counts as zero.
    uint8_t GetOrZero() {
        if (p_ == end_ && !Fill()) return 0;
        return *p_++;
    }

private:
    bool Fill();

    const uint8_t* p_ = nullptr;
    const uint8_t* end_ = nullptr;
    Refill refill_;
    std::vector<uint8_t> buffer_;
    bool exhausted_ = false;
};

// Byte sink: a block buffer drained through a function when full.
class ByteOutput {
public:
    using Drain = std::function<void(const uint8_t* data, size_t size)>;

    explicit ByteOutput(Drain drain);

    void Put(uint8_t b) {
        if (cur_ == end_) Finish();
        *cur_++ = b;
    }
    // Drains what is buffered.
    void Finish();

private:

    uint8_t* cur_ = nullptr;
    uint8_t* end_ = nullptr;
    Drain drain_;
    std::vector<uint8_t> buffer_;
};

class BitWriter {
public:
    explicit BitWriter(ByteOutput& out) : out_(out) {}

    // Appends the low `n` bits of `bits` (n = 1..32), most significant first.
    void Put(int n, uint32_t bits) {
        acc_ = (acc_ << n) | bits;
        count_ += n;
        if (count_ >= 32) {
            count_ -= 32;
            const uint32_t word = static_cast<uint32_t>(acc_ >> count_);
            out_.Put(static_cast<uint8_t>(word >> 24));
            out_.Put(static_cast<uint8_t>(word >> 16));
            out_.Put(static_cast<uint8_t>(word >> 8));
            out_.Put(static_cast<uint8_t>(word));
        }
    }
    // Writes the pending bits, the last byte padded with zero bits.
    void Flush() {
        while (count_ >= 8) {
            count_ -= 8;
            out_.Put(static_cast<uint8_t>(acc_ >> count_));
        }
        if (count_ > 0) out_.Put(static_cast<uint8_t>(acc_ << (8 - count_)));
        count_ = 0;
    }

private:
    ByteOutput& out_;
    uint64_t acc_ = 0;
    int count_ = 0;  // pending bits in the low end of acc_, < 32 between calls
};

class BitReader {
public:
    explicit BitReader(ByteInput& in) : in_(in) {}

    unsigned GetBit() {
        if (count_ == 0) Refill();
        const unsigned bit = static_cast<unsigned>(acc_ >> 63);
        acc_ <<= 1;
        --count_;
        return bit;
    }
    // Next `n` bits (1..32) as a number, first bit most significant.
    uint32_t GetBits(int n) {
        if (count_ < n) Refill();
        const uint32_t v = static_cast<uint32_t>(acc_ >> (64 - n));
        acc_ <<= n;
        count_ -= n;
        return v;
    }
    // The next `n` bits (1..32) without consuming them.
    uint32_t PeekBits(int n) {
        if (count_ < n) Refill();
        return static_cast<uint32_t>(acc_ >> (64 - n));
    }
    // At least 57 unread bits, left-aligned (missing input reads as zeros).
    uint64_t Window() {
        if (count_ <= 56) Refill();
        return acc_;
    }
    void Skip(int n) {  // only after PeekBits(>= n) or Window() (n <= 57)
        acc_ <<= n;
        count_ -= n;
    }

private:
    void Refill() {
        while (count_ <= 56) {
            acc_ |= static_cast<uint64_t>(in_.GetOrZero()) << (56 - count_);
            count_ += 8;
        }
    }

    ByteInput& in_;
    uint64_t acc_ = 0;  // unread bits, left-aligned
    int count_ = 0;
};

bool ByteInput::Fill() {
    if (exhausted_ || !refill_) return false;
    const size_t got = std::min(refill_(buffer_.data(), buffer_.size()), buffer_.size());
    if (got == 0) {
        // Once a source reports its end we stop asking: the rest reads as missing.
        exhausted_ = true;
        return false;
    }
    p_ = buffer_.data();
    end_ = p_ + got;
    return true;
}

ByteOutput::ByteOutput(Drain drain) : drain_(std::move(drain)), buffer_(kIoBlock) {
    cur_ = buffer_.data();
    end_ = cur_ + buffer_.size();
}

void ByteOutput::Finish() {
    const size_t pending = static_cast<size_t>(cur_ - buffer_.data());
    if (pending > 0) drain_(buffer_.data(), pending);
    cur_ = buffer_.data();
}

// Adaptive Huffman model of the LZH coder: 314 symbols (bytes 0..255, match
// lengths 3..60 as 256..313) in a 627-node tree kept in the sibling order
// (frequencies non-decreasing with the node index, the root last). Every
// coded symbol adds one to its leaf and ancestors; nodes that fall out of
// order are exchanged; when the root reaches MAX_FREQ all counts are halved
// and the tree is rebuilt. Encoder and decoder run the same updates, so they
// stay in step without any side information.




class AdaptiveHuffman {
public:
    AdaptiveHuffman() { StartHuff(); }

    // Fresh tree: every symbol has frequency 1.
    void StartHuff();

    // Emits the code of symbol c (root bit first) and counts it.
    void EncodeChar(BitWriter& out, int c) {
        uint64_t code = 0;
        int length = 0;
        int k = prnt[c + T];
        do {
            code |= static_cast<uint64_t>(k & 1) << length;
            ++length;
            k = prnt[k];
        } while (k != R);
        // Codes can exceed 16 bits on skewed input; they go out whole.
        if (length > 32) {
            out.Put(length - 32, static_cast<uint32_t>(code >> 32));
            length = 32;
        }
        out.Put(length, static_cast<uint32_t>(code & (length == 32 ? 0xFFFFFFFFu : ((1u << length) - 1))));
        update(c);
    }

    // Reads one symbol, walking from the root one bit at a time, and counts it.
    int DecodeChar(BitReader& in) {
        // Walk a local copy of the bit window; codes are far shorter than
        // 57 bits, but a deeper walk still refills correctly.
        uint64_t bits = in.Window();
        int used = 0;
        int c = son[R];
        while (c < T) {
            if (used == 57) {
                in.Skip(used);
                bits = in.Window();
                used = 0;
            }
            c = son[c + static_cast<int>(bits >> 63)];
            bits <<= 1;
            ++used;
        }
        in.Skip(used);
        c -= T;
        update(c);
        return c;
    }

    // Adds one to symbol c's leaf and its ancestors, restoring the order.
    void update(int c);

    // --- inspection (tests, fuzzing) ---
    unsigned RootFrequency() const { return freq[R]; }
    int Rebuilds() const { return rebuilds_; }
    // Number of bits in the current code of symbol c.
    int CodeLength(int c) const;
    // Checks the tree invariants: sibling order, parent links, each inner
    // node's frequency the sum of its children's, every symbol reachable.
    bool IsConsistent() const;

private:
    void reconst();

    uint16_t freq[T + 1];       // freq[T] is a 0xFFFF sentinel that ends the exchange scan
    int16_t prnt[T + N_CHAR];   // parent of each node; prnt[T + s] = leaf node of symbol s
    int16_t son[T];             // left child of an inner node (right = son + 1), or T + symbol
    int rebuilds_ = 0;
};

void AdaptiveHuffman::StartHuff() {
    for (int i = 0; i < N_CHAR; ++i) {
        freq[i] = 1;
        son[i] = static_cast<int16_t>(i + T);
        prnt[i + T] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
        freq[j] = static_cast<uint16_t>(freq[i] + freq[i + 1]);
        son[j] = static_cast<int16_t>(i);
        prnt[i] = prnt[i + 1] = static_cast<int16_t>(j);
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
    rebuilds_ = 0;
}

void AdaptiveHuffman::reconst() {
    ++rebuilds_;
    // Leaves to the front, in their current order, counts halved rounding up.
    int j = 0;
    for (int i = 0; i < T; ++i) {
        if (son[i] >= T) {
            freq[j] = static_cast<uint16_t>((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Pair nodes from the front; each new inner node is inserted where its
    // frequency keeps the table sorted (after any equal ones).
    for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
        const unsigned f = static_cast<unsigned>(freq[i]) + freq[i + 1];
        freq[node] = static_cast<uint16_t>(f);
        int k = node - 1;
        while (f < freq[k]) --k;
        ++k;
        std::copy_backward(freq + k, freq + node, freq + node + 1);
        std::copy_backward(son + k, son + node, son + node + 1);
        freq[k] = static_cast<uint16_t>(f);
        son[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < T; ++i) {
        const int k = son[i];
        if (k >= T) {
            prnt[k] = static_cast<int16_t>(i);
        } else {
            prnt[k] = prnt[k + 1] = static_cast<int16_t>(i);
        }
    }
}

void AdaptiveHuffman::update(int c) {
    if (freq[R] == MAX_FREQ) reconst();
    c = prnt[c + T];
    do {
        const unsigned k = ++freq[c];
        if (k > freq[c + 1]) {
            // The table is sorted, so the nodes past c that are now smaller
            // than k form one run; c trades places with the run's last node.
            int l = c + 1;
            while (k > freq[l + 1]) ++l;
            freq[c] = freq[l];
            freq[l] = static_cast<uint16_t>(k);

            const int i = son[c];
            prnt[i] = static_cast<int16_t>(l);
            if (i < T) prnt[i + 1] = static_cast<int16_t>(l);

            const int j = son[l];
            son[l] = static_cast<int16_t>(i);

            prnt[j] = static_cast<int16_t>(c);
            if (j < T) prnt[j + 1] = static_cast<int16_t>(c);
            son[c] = static_cast<int16_t>(j);

            c = l;
        }
        c = prnt[c];
    } while (c != 0);  // the root's parent entry is 0, and no other node has parent 0
}

int AdaptiveHuffman::CodeLength(int c) const {
    int length = 0;
    int k = prnt[c + T];
    do {
        ++length;
        k = prnt[k];
    } while (k != R);
    return length;
}

bool AdaptiveHuffman::IsConsistent() const {
    if (freq[T] != 0xFFFF || prnt[R] != 0) return false;
    for (int i = 0; i + 1 < T; ++i)
        if (freq[i] > freq[i + 1]) return false;
    std::vector<int> seen(N_CHAR, 0);
    for (int i = 0; i < T; ++i) {
        const int s = son[i];
        if (s >= T) {
            if (s - T >= N_CHAR || prnt[s] != i) return false;
            ++seen[s - T];
        } else {
            if (s < 0 || s + 1 >= i) return false;  // children sit below their parent
            if (prnt[s] != i || prnt[s + 1] != i) return false;
            if (freq[i] != freq[s] + freq[s + 1]) return false;
        }
    }
    return std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; });
}

// Match search of the LZH encoder: 256 binary search trees over the strings
// that start at the ring positions, one tree per first byte. Inserting a
// position finds the longest earlier string sharing its prefix (up to F
// bytes) and, among equally long ones met on the search path, the nearest.
// A string equal to an inserted one over all F bytes replaces the older node,
// so no tree holds two identical F-byte strings.




class MatchTrees {
public:
    MatchTrees();  // InitTree, and a zeroed ring buffer

    void InsertNode(int r);
    void DeleteNode(int p);

    // Ring buffer; bytes N..N+F-2 mirror bytes 0..F-2 so that a string can be
    // compared without wrapping. The tail of 8 bytes lets the comparison read
    // whole words; it never changes the result.
    uint8_t text_buf[N + F - 1 + 8];
    int match_position = 0;  // distance - 1 of the best match found by InsertNode
    int match_length = 0;

private:
    // Children side by side, so the search picks one by index instead of by
    // a branch: son_[p][0] is the left child, son_[p][1] the right one.
    uint16_t& lson(int p) { return son_[p][0]; }
    uint16_t& rson(int p) { return son_[p][1]; }

    // Roots of the 256 trees are rson(N + 1 + byte); index N (NIL) absorbs
    // the parent writes of missing children.
    uint16_t son_[N + 257][2];
    uint16_t dad[N + 257];
};

namespace {

uint64_t LoadWord(const uint8_t* p) {
    uint64_t w;
    std::memcpy(&w, p, 8);
    return w;
}

// Common prefix of two F-byte strings known to agree on bytes 0..from-1:
// the first index where they differ, or F.
inline int CommonLengthFrom(const uint8_t* key, const uint8_t* other, int from) {
    if constexpr (std::endian::native == std::endian::little) {
        for (int i = from; i < F; i += 8) {
            if (const uint64_t diff = LoadWord(key + i) ^ LoadWord(other + i)) {
                const int at = i + std::countr_zero(diff) / 8;
                return at < F ? at : F;
            }
        }
        return F;
    } else {
        int i = from;
        while (i < F && key[i] == other[i]) ++i;
        return i;
    }
}

}  // namespace

MatchTrees::MatchTrees() {
    std::memset(text_buf, 0, sizeof text_buf);
    for (int i = 0; i < N + 257; ++i) {
        son_[i][0] = son_[i][1] = NIL;
        dad[i] = NIL;
    }
}

void MatchTrees::InsertNode(int r) {
    const uint8_t* key = &text_buf[r];
    int p = N + 1 + key[0];
    lson(r) = rson(r) = NIL;
    match_length = 0;
    if (rson(p) == NIL) {  // the first step from a root always goes right
        rson(p) = static_cast<uint16_t>(r);
        dad[r] = static_cast<uint16_t>(p);
        return;
    }
    p = rson(p);
    // Bytes 1..8 decide most comparisons. The key's stay in a register; the
    // next node's are loaded for both children before the comparison at the
    // current node has chosen one, which keeps the search off the critical
    // path of a mispredicted branch. (NIL's bytes are read but never used.)
    const uint64_t keyHead = LoadWord(key + 1);
    uint64_t head = LoadWord(&text_buf[p + 1]);
    int bestLength = 0;
    int bestPosition = match_position;
    for (;;) {
        const int left = lson(p);
        const int right = rson(p);
        const uint64_t leftHead = LoadWord(&text_buf[left + 1]);
        const uint64_t rightHead = LoadWord(&text_buf[right + 1]);

        int i;
        int cmp;
        if (std::endian::native == std::endian::little && keyHead != head) {
            const int shift = std::countr_zero(keyHead ^ head) & ~7;
            i = 1 + shift / 8;
            cmp = static_cast<int>((keyHead >> shift) & 0xFF) - static_cast<int>((head >> shift) & 0xFF);
        } else {
            const uint8_t* other = &text_buf[p];
            i = CommonLengthFrom(key, other, 1);
            cmp = i < F ? static_cast<int>(key[i]) - static_cast<int>(other[i]) : 0;
        }
        // Longer match, or as long and nearer (only among the nodes on this path).
        const int position = ((r - p) & (N - 1)) - 1;
        const bool better = i > THRESHOLD && (i > bestLength || (i == bestLength && position < bestPosition));
        bestPosition = better ? position : bestPosition;
        bestLength = better ? i : bestLength;
        if (bestLength >= F) break;

        const bool goRight = cmp >= 0;
        const int next = goRight ? right : left;
        if (next == NIL) {
            son_[p][goRight] = static_cast<uint16_t>(r);
            dad[r] = static_cast<uint16_t>(p);
            match_position = bestPosition;
            match_length = bestLength;
            return;
        }
        head = goRight ? rightHead : leftHead;
        p = next;
    }
    match_position = bestPosition;
    match_length = bestLength;
    // Full-length match: r takes p's place in the tree.
    dad[r] = dad[p];
    lson(r) = lson(p);
    rson(r) = rson(p);
    dad[lson(p)] = static_cast<uint16_t>(r);
    dad[rson(p)] = static_cast<uint16_t>(r);
    if (rson(dad[p]) == p) {
        rson(dad[p]) = static_cast<uint16_t>(r);
    } else {
        lson(dad[p]) = static_cast<uint16_t>(r);
    }
    dad[p] = NIL;
}

void MatchTrees::DeleteNode(int p) {
    if (dad[p] == NIL) return;
    int q;
    if (rson(p) == NIL) {
        q = lson(p);
    } else if (lson(p) == NIL) {
        q = rson(p);
    } else {
        // Both children: the rightmost node of the left subtree takes p's place.
        q = lson(p);
        if (rson(q) != NIL) {
            do {
                q = rson(q);
            } while (rson(q) != NIL);
            rson(dad[q]) = lson(q);
            dad[lson(q)] = dad[q];
            lson(q) = lson(p);
            dad[lson(p)] = static_cast<uint16_t>(q);
        }
        rson(q) = rson(p);
        dad[rson(p)] = static_cast<uint16_t>(q);
    }
    dad[q] = dad[p];
    if (rson(dad[p]) == p) {
        rson(dad[p]) = static_cast<uint16_t>(q);
    } else {
        lson(dad[p]) = static_cast<uint16_t>(q);
    }
    dad[p] = NIL;
}

namespace {

struct EncoderTables {
    MatchTrees trees;
    AdaptiveHuffman huffman;
};

struct DecoderTables {
    uint8_t ring[N];
    AdaptiveHuffman huffman;
};

template <class Tables>
std::unique_ptr<Tables> AllocateTables() {
    return std::make_unique<Tables>();
}

void EncodePosition(BitWriter& out, int position) {
    const int u = position >> 6;
    const int length = p_len[u];
    const uint32_t prefix = static_cast<uint32_t>(p_code[u]) >> (8 - length);
    out.Put(length + 6, (prefix << 6) | static_cast<uint32_t>(position & 63));
}

int DecodePosition(BitReader& in) {
    const uint32_t head = in.PeekBits(8);
    const int length = d_len[head];
    // The prefix plus the 6 low bits, read as one number; its low 6 bits are the position's.
    const uint32_t all = in.GetBits(length + 6);
    return (d_code[head] << 6) | static_cast<int>(all & 63);
}

// Ring buffer before the first symbol: spaces count as real history.
void FillDictionary(uint8_t* ring) { std::memset(ring, ' ', kSpaceFill); }

}  // namespace

int64_t EncodeLzh(ByteInput& in, ByteOutput& out) {
    auto tables = AllocateTables<EncoderTables>();
    MatchTrees& t = tables->trees;
    AdaptiveHuffman& huffman = tables->huffman;
    BitWriter bits(out);

    int s = 0;
    int r = kSpaceFill;
    FillDictionary(t.text_buf);
    int len = 0;
    for (int c; len < F && (c = in.Get()) >= 0; ++len) t.text_buf[r + len] = static_cast<uint8_t>(c);
    int64_t textsize = len;
    for (int i = 1; i <= F; ++i) t.InsertNode(r - i);
    t.InsertNode(r);
    // One symbol is coded even for an empty input (a stray literal), as in
    // every coder of this stream.
    do {
        if (t.match_length > len) t.match_length = len;
        if (t.match_length <= THRESHOLD) {
            t.match_length = 1;
            huffman.EncodeChar(bits, t.text_buf[r]);
        } else {
            huffman.EncodeChar(bits, MatchSymbol(t.match_length));
            EncodePosition(bits, t.match_position);
        }
        const int last = t.match_length;
        int i = 0;
        for (int c; i < last && (c = in.Get()) >= 0; ++i) {
            t.DeleteNode(s);
            t.text_buf[s] = static_cast<uint8_t>(c);
            if (s < F - 1) t.text_buf[s + N] = static_cast<uint8_t>(c);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            t.InsertNode(r);
        }
        textsize += i;
        // End of input: the look-ahead drains without new bytes.
        for (; i < last; ++i) {
            t.DeleteNode(s);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (--len) t.InsertNode(r);
        }
    } while (len > 0);
    bits.Flush();
    return textsize;
}

int64_t DecodeLzh(ByteInput& in, ByteOutput& out, int64_t textSize, bool cutFinalMatch) {
    if (textSize <= 0) return 0;
    auto tables = AllocateTables<DecoderTables>();
    uint8_t* ring = tables->ring;
    AdaptiveHuffman& huffman = tables->huffman;
    BitReader bits(in);

    std::memset(ring, 0, N);
    FillDictionary(ring);
    int r = kSpaceFill;
    int64_t count = 0;
    while (count < textSize) {
        const int c = huffman.DecodeChar(bits);
        if (c < 256) {
            out.Put(static_cast<uint8_t>(c));
            ring[r] = static_cast<uint8_t>(c);
            r = (r + 1) & (N - 1);
            ++count;
            continue;
        }
        // Positions are 12 bits wide, so the copy stays inside the ring
        // whatever the input; it may overlap the bytes it produces.
        int from = (r - DecodePosition(bits) - 1) & (N - 1);
        int length = MatchLengthOf(c);
        if (cutFinalMatch && length > textSize - count) length = static_cast<int>(textSize - count);
        for (int k = 0; k < length; ++k) {
            const uint8_t b = ring[from];
            out.Put(b);
            ring[r] = b;
            from = (from + 1) & (N - 1);
            r = (r + 1) & (N - 1);
        }
        count += length;
    }
    return count;
}

std::vector<uint8_t> Pack(std::span<const uint8_t> input) {
    std::vector<uint8_t> code;
    ByteInput in(input);
    ByteOutput out([&code](const uint8_t* data, size_t size) { code.insert(code.end(), data, data + size); });
    EncodeLzh(in, out);
    out.Finish();
    return code;
}

std::vector<uint8_t> Unpack(std::span<const uint8_t> code, size_t outputSize) {
    std::vector<uint8_t> plain;
    plain.reserve(outputSize);
    ByteInput in(code);
    ByteOutput out([&plain](const uint8_t* data, size_t size) { plain.insert(plain.end(), data, data + size); });
    DecodeLzh(in, out, static_cast<int64_t>(outputSize), true);
    out.Finish();
    return plain;
}

}  // namespace relayon::skin::lzh_reference
