#include "S2Lexer.h"

namespace Orvane {

void S2Lexer::setSpanOptions(bool ten, bool period, bool comma) {
    // The marks in use are those of the options already set.
    if (ten == spanTen && period == spanPeriod && comma == spanComma) return;
    spanTen = ten;
    spanPeriod = period;
    spanComma = comma;
    std::vector<Mark> runMarks = getTables().inlineMarks;
    std::u16string runSpecials = getTables().specials;
    const char16_t runs[] = {u'、', u'.', u','};
    const bool on[] = {ten, period, comma};
    for (int k = 0; k < 3; ++k) {
        if (!on[k]) continue;
        runMarks.push_back({MarkupTables::sentenceEnd(runs[k]), markup::kSTOP});
        runSpecials += runs[k];
    }
    useMarks(std::move(runMarks), std::move(runSpecials));
}

} // namespace Orvane
