#pragma once

#include "../base/BitmapTrie.h"

namespace CCC {

// The ISO 8859 parts with tables: 1-10, 13, 14, 15.
bool iso8859PartP(int part);

// Byte -> UCS-2 of a part (256 entries, 0xFFFF = unassigned); null for a
// part without a table.
const unsigned short* iso8859DecodeTable(int part);
// UCS-2 -> byte of a part; null for a part without a table.
const BitmapTrie* iso8859EncodeTrie(int part);

const BitmapTrie& cp1252EncodeTrie();
const BitmapTrie& cp1252DecodeTrie();

} // namespace CCC
