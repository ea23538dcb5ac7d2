#include "DetectorFactory.h"

#include <memory>
#include <new>

#include "../encoding/EncodingIds.h"
#include "HtmlDetector.h"
#include "JaDetector.h"
#include "XmlDetector.h"

namespace CCC {

namespace {

Detector* createDetector(CeId id) {
    switch (id) {
    case ceid::kJaDetector: return new JaDetector;
    case ceid::kXmlDetector: return new XmlDetector;
    case ceid::kHtmlDetector: return new HtmlDetector;
    default: return nullptr;
    }
}

} // namespace

CeId runDetector(CeId detectorId, IFlow& in) {
    std::unique_ptr<Detector> detector(createDetector(detectorId));
    if (!detector) return ceid::kNone;
    try {
        return detector->detect(in);
    } catch (const Exception&) {
        // Detectors answer none for what they cannot tell; nothing leaves them.
        return ceid::kNone;
    } catch (const std::bad_alloc&) {
        return ceid::kNone;
    }
}

} // namespace CCC
