// The three detectors: no crash, nothing thrown, and the same answer
// whatever the blocks the source delivers and whichever way they are run.

#include "FuzzSupport.h"
#include "ccc/detect/DetectorFactory.h"
#include "ccc/detect/HtmlDetector.h"
#include "ccc/detect/JaDetector.h"
#include "ccc/detect/XmlDetector.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::startLibrary();
    CCC::JaDetector ja;
    CCC::XmlDetector xml;
    CCC::HtmlDetector html;
    CCC::Detector* detectors[] = {&ja, &xml, &html};
    for (int i = 0; i < 3; ++i) {
        CCC::FixedMemIFlow whole(data, size);
        fuzz::Source<char> chunked({data, data + size}, {fuzz::chunksOf(data, size)});
        CCC::FixedMemIFlow again(data, size);
        CCC::CeId a = detectors[i]->detect(whole);
        CCC::CeId b = detectors[i]->detect(chunked);
        CCC::CeId c = CCC::runDetector(40 + i, again);
        CCC::CeId d = CCC::Iceman::detect(40 + i, data, size);
        if (a != b) fuzz::fail("detection depends on the source's blocks");
        if (a != c || a != d) fuzz::fail("runDetector differs from the detector");
        if (a < 0 || a > 39) fuzz::fail("detected identifier is no encoding");
    }
    return 0;
}
