#include "CompositIFilter.h"

namespace CCC {

CompositIFilter::~CompositIFilter() { clear(); }

bool CompositIFilter::rewind() {
    bool ok = IFilter::rewind();
    for (IFilter* m : members_)
        if (!m->rewind()) ok = false;
    return ok;
}

bool CompositIFilter::setSrc(IFlow* src) {
    bool ok = IFilter::setSrc(src);
    if (!members_.empty()) members_.front()->setSrc(src);
    return ok;
}

void CompositIFilter::add(IFilter* member) {
    member->setSrc(members_.empty() ? getSrc() : members_.back());
    members_.push_back(member);
}

void CompositIFilter::clear() {
    for (IFilter* m : members_) delete m;
    members_.clear();
}

} // namespace CCC
