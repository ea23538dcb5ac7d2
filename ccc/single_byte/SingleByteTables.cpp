#include "SingleByteTables.h"

namespace CCC {

namespace {
#include "SingleByteTables.gen.inc"

// Row of a part in the generated tables, -1 for none.
int row(int part) {
    if (part >= 1 && part <= 10) return part - 1;
    if (part >= 13 && part <= 15) return part - 3;
    return -1;
}
} // namespace

bool iso8859PartP(int part) { return row(part) >= 0; }

const unsigned short* iso8859DecodeTable(int part) {
    int r = row(part);
    return r < 0 ? nullptr : kIso8859Decode[r];
}

const BitmapTrie* iso8859EncodeTrie(int part) {
    int r = row(part);
    return r < 0 ? nullptr : &kIso8859EncodeTries[r];
}

const BitmapTrie& cp1252EncodeTrie() { return kCp1252EncodeTrie; }
const BitmapTrie& cp1252DecodeTrie() { return kCp1252DecodeTrie; }

} // namespace CCC
