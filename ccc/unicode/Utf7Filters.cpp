#include "Utf7Filters.h"

#include <array>

namespace CCC {

namespace {

constexpr std::array<unsigned char, 256> makeClassTable() {
    std::array<unsigned char, 256> t{};
    auto mark = [&t](const char* chars, unsigned char bits) {
        for (const char* p = chars; *p; ++p) t[static_cast<unsigned char>(*p)] |= bits;
    };
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const char* setD = "'(),-./:?";
    const char* setO = "!\"#$%&*;<=>@[]^_`{|}";
    const char* white = " \t\r\n";
    mark(letters, kUtf7SetD | kUtf7Base64 | kUtf7Direct | kUtf7Plain);
    mark(setD, kUtf7SetD | kUtf7Direct | kUtf7Plain);
    mark(setO, kUtf7SetO | kUtf7Plain);
    mark(white, kUtf7Direct | kUtf7Plain);
    mark("+/", kUtf7Base64);
    return t;
}

constexpr std::array<unsigned char, 256> kClasses = makeClassTable();

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

unsigned int base64Value(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    return c == '+' ? 62 : 63;
}

bool directP(unsigned short u) { return u < 0xFF && (kClasses[u] & kUtf7Direct); }

// Base64 of one, two or three bytes: two, three or four characters.
int encodeGroup(const unsigned char* b, int n, char* out) {
    out[0] = kBase64[b[0] >> 2];
    if (n == 1) {
        out[1] = kBase64[(b[0] & 3) << 4];
        return 2;
    }
    out[1] = kBase64[((b[0] & 3) << 4) | (b[1] >> 4)];
    if (n == 2) {
        out[2] = kBase64[(b[1] & 15) << 2];
        return 3;
    }
    out[2] = kBase64[((b[1] & 15) << 2) | (b[2] >> 6)];
    out[3] = kBase64[b[2] & 63];
    return 4;
}

} // namespace

const unsigned char kUtf7ClassTable[256] = {
#define CCC_UTF7_ROW(r) kClasses[r], kClasses[r + 1], kClasses[r + 2], kClasses[r + 3], \
    kClasses[r + 4], kClasses[r + 5], kClasses[r + 6], kClasses[r + 7]
    CCC_UTF7_ROW(0), CCC_UTF7_ROW(8), CCC_UTF7_ROW(16), CCC_UTF7_ROW(24),
    CCC_UTF7_ROW(32), CCC_UTF7_ROW(40), CCC_UTF7_ROW(48), CCC_UTF7_ROW(56),
    CCC_UTF7_ROW(64), CCC_UTF7_ROW(72), CCC_UTF7_ROW(80), CCC_UTF7_ROW(88),
    CCC_UTF7_ROW(96), CCC_UTF7_ROW(104), CCC_UTF7_ROW(112), CCC_UTF7_ROW(120),
    CCC_UTF7_ROW(128), CCC_UTF7_ROW(136), CCC_UTF7_ROW(144), CCC_UTF7_ROW(152),
    CCC_UTF7_ROW(160), CCC_UTF7_ROW(168), CCC_UTF7_ROW(176), CCC_UTF7_ROW(184),
    CCC_UTF7_ROW(192), CCC_UTF7_ROW(200), CCC_UTF7_ROW(208), CCC_UTF7_ROW(216),
    CCC_UTF7_ROW(224), CCC_UTF7_ROW(232), CCC_UTF7_ROW(240), CCC_UTF7_ROW(248),
#undef CCC_UTF7_ROW
};

int Ucs2ToUtf7Codec::step(StepCursor<In>& in, Out* out) {
    int k = 0;
    unsigned short u;
    if (!in.next(u)) {
        // Close an open run before the end of data passes on.
        if (!inBase64_) return -1;
        if (pending_) k += encodeGroup(&pendingByte_, 1, out);
        out[k++] = '-';
        inBase64_ = pending_ = false;
        return k;
    }
    if (directP(u)) {
        if (inBase64_) {
            if (pending_) k += encodeGroup(&pendingByte_, 1, out);
            if ((kClasses[u] & kUtf7Base64) || u == '-') out[k++] = '-';
            inBase64_ = pending_ = false;
        }
        out[k++] = static_cast<char>(u);
        return k;
    }
    if (u == '+' && !inBase64_) {
        out[0] = '+';
        out[1] = '-';
        return 2;
    }
    if (!inBase64_) {
        out[k++] = '+';
        inBase64_ = true;
    }
    unsigned char b[3] = {static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u), 0};
    if (pending_) {
        unsigned char g[3] = {pendingByte_, b[0], b[1]};
        pending_ = false;
        return k + encodeGroup(g, 3, out + k);
    }
    // The group needs the first byte of the next unit.
    unsigned short n;
    if (!in.next(n)) {
        k += encodeGroup(b, 2, out + k);
        out[k++] = '-';
        inBase64_ = false;
        return k;
    }
    if (directP(n)) {
        in.unread();  // closes the run on the next step
        return k + encodeGroup(b, 2, out + k);
    }
    b[2] = static_cast<unsigned char>(n >> 8);
    pending_ = true;
    pendingByte_ = static_cast<unsigned char>(n);
    return k + encodeGroup(b, 3, out + k);
}

int Utf7ToUcs2Codec::step(StepCursor<In>& in, Out* out) {
    char c;
    if (!inBase64_) {
        if (!in.next(c)) return -1;
        if (c != '+') {
            out[0] = static_cast<unsigned char>(c);
            return 1;
        }
        inBase64_ = true;
        if (!in.next(c)) return -1;
        if (c == '-') {
            inBase64_ = false;
            out[0] = '+';
            return 1;
        }
        in.unread();  // the first character of the run
    }
    unsigned int bits = 0;
    int chars = 0;
    while (chars < 4) {
        if (!in.next(c)) {
            if (chars == 0) return -1;
            break;
        }
        unsigned char b = static_cast<unsigned char>(c);
        if (b == '-') {
            inBase64_ = false;
            break;
        }
        if (!(kClasses[b] & kUtf7Base64)) {
            in.unread();  // delivered next as a unit of its own
            inBase64_ = false;
            break;
        }
        bits = (bits << 6) | base64Value(b);
        ++chars;
    }
    // 4 characters give 3 bytes, 3 give 2, 2 give 1; leftover bits are dropped.
    int bytes = chars == 4 ? 3 : chars == 3 ? 2 : chars == 2 ? 1 : 0;
    if (bytes == 0) return 0;
    bits >>= (chars * 6 - bytes * 8);
    unsigned char d[3];
    for (int i = bytes - 1; i >= 0; --i) {
        d[i] = static_cast<unsigned char>(bits);
        bits >>= 8;
    }
    int k = 0, i = 0;
    if (leftoverP_) {
        out[k++] = static_cast<unsigned short>((leftover_ << 8) | d[i++]);
        leftoverP_ = false;
    }
    if (bytes - i >= 2) {
        out[k++] = static_cast<unsigned short>((d[i] << 8) | d[i + 1]);
        i += 2;
    }
    if (i < bytes) {
        // An odd byte waits for the next group.
        leftoverP_ = true;
        leftover_ = d[i];
    }
    return k;
}

} // namespace CCC
