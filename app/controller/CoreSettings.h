#pragma once

#include "ccc/base/TString.h"

namespace Orvane {
class Generator;
class Syntax;
} // namespace Orvane

namespace tolvanw32 {

// The settings the controller hands to the model's syntax and generator.
// Each does nothing when the model has no syntax, or its generator is not
// the XHTML writer.

// The lexer's span options (split spans at "、", "." and ",").
void applySpanOptions(Orvane::Syntax* syntax, bool ten, bool period, bool comma);
// 0 XHTML 1.0 Transitional, 1 XHTML 1.1.
void applyXhtmlVersion(Orvane::Generator* generator, int version);
// The style-sheet name (null: none) and the writing-direction wrappers.
void applyStyleSheet(Orvane::Generator* generator, const CCC::TString<unsigned short>* name, bool yoko, bool tate);

} // namespace tolvanw32
