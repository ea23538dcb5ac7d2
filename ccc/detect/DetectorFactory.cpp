#include "DetectorFactory.h"

#include <memory>
#include <new>

#include "HtmlDetector.h"
#include "JaDetector.h"
#include "XmlDetector.h"

namespace CCC {

namespace {

Detector* createDetector(CeId id) {
    switch (id) {
    case 40: return new JaDetector;
    case 41: return new XmlDetector;
    case 42: return new HtmlDetector;
    default: return nullptr;
    }
}

} // namespace

CeId runDetector(CeId detectorId, IFlow& in) {
    std::unique_ptr<Detector> detector(createDetector(detectorId));
    if (!detector) return 0;
    try {
        return detector->detect(in);
    } catch (const Exception&) {
        // Detectors answer 0 for what they cannot tell; nothing leaves them.
        return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

} // namespace CCC
