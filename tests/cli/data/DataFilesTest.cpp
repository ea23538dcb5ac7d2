// The bundled files: help pages that parse as XML and whose table of
// contents points at real sections, style sheets that style everything the
// XHTML writer marks up, and the desktop entry the install rules expect.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/Xmllint.h"

namespace {

using namespace qmtest;

const fs::path kData = fs::path(QM_SOURCE_DIR) / "data";
const char* const kSheets[] = {"yoko.css",      "tate.css",      "yoko_check.css",
                               "tate_check.css", "epub_yoko.css", "epub_tate.css"};

std::set<std::string> matches(const std::string& text, const std::regex& re, int group = 1) {
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it) found.insert((*it)[group]);
    return found;
}

// A sheet's selectors: comments and declaration blocks (the innermost
// braces) removed, so that nothing in a value passes for a selector.
std::string selectorsOf(const std::string& css) {
    return std::regex_replace(std::regex_replace(css, std::regex(R"(/\*[\s\S]*?\*/)"), " "), std::regex(R"(\{[^{}]*\})"), ";");
}

bool hasRuleFor(const std::string& selectors, char sigil, const std::string& name) {
    return std::regex_search(selectors, std::regex(std::string("\\") + sigil + name + "(?![-_A-Za-z0-9])"));
}

TEST(HelpPages, AreWellFormedXml) {
    std::string files = shellQuote((kData / "help.html").string()) + " " + shellQuote((kData / "index.html").string());
    for (const auto& entry : fs::directory_iterator(kData / "icons"))
        if (entry.path().extension() == ".svg") files += " " + shellQuote(entry.path().string());
    const XmlCheck xml = xmllint(files);
    EXPECT_TRUE(xml.wellFormed) << xml.diagnostics;
}

TEST(HelpPages, TableOfContentsAndSectionsAgree) {
    const std::string help = readBytes(kData / "help.html");
    const std::string index = readBytes(kData / "index.html");
    const std::set<std::string> ids = matches(help, std::regex(R"#(\sid="([^"]+)")#"));
    const std::set<std::string> targets = matches(index, std::regex(R"#(href="help\.html#([^"]+)")#"));
    ASSERT_FALSE(targets.empty());
    for (const std::string& target : targets) EXPECT_TRUE(ids.count(target)) << "index links to missing #" << target;
    // Every numbered section of the manual is listed.
    const std::set<std::string> sections = matches(help, std::regex(R"#(<h[23] id="([^"]+)")#"));
    for (const std::string& section : sections) EXPECT_TRUE(targets.count(section)) << "index lacks #" << section;
    // Links inside the manual stay inside it.
    for (const std::string& target : matches(help, std::regex(R"#(href="#([^"]+)")#")))
        EXPECT_TRUE(ids.count(target)) << "help links to missing #" << target;
}

// The manual quotes every structure warning of the conversion log, with
// sample numbers in place of the %d directives.
TEST(HelpPages, QuoteEveryLogWarning) {
    const std::string log = readBytes(fs::path(QM_SOURCE_DIR) / "core/model/Log.cpp");
    const std::set<std::string> warnings = matches(log, std::regex(R"#(u"(警告: [^"\\]*))#"));
    ASSERT_EQ(warnings.size(), 3u);
    const std::string help = readBytes(kData / "help.html");
    for (const std::string& warning : warnings) {
        const std::string quoted = std::regex_replace(warning, std::regex(R"([\\^$.|?*+()\[\]{}])"), R"(\$&)");
        const std::string pattern = std::regex_replace(quoted, std::regex("%d"), "-?[0-9]+");
        EXPECT_TRUE(std::regex_search(help, std::regex(pattern))) << warning;
    }
}

// Every class and identifier the writer puts into a document has a rule in
// every sheet; a sheet is chosen per run, so none may rely on another.
TEST(StyleSheets, StyleEverythingTheWriterMarks) {
    std::string writer;
    for (const auto& entry : fs::directory_iterator(fs::path(QM_SOURCE_DIR) / "core/generator"))
        if (entry.path().extension() == ".cpp") writer += readBytes(entry.path());
    const std::set<std::string> classes = matches(writer, std::regex(R"#(class=\\"([^"\\]+)\\")#"));
    const std::set<std::string> ids = matches(writer, std::regex(R"#(id=\\"([^"\\]+)\\")#"));
    for (const char* name : {"yoko", "tate", "title", "image", "page-normal", "page-front", "page-special"})
        EXPECT_TRUE(classes.count(name)) << "the writer no longer emits class " << name;
    ASSERT_TRUE(ids.count("honbun"));

    for (const char* sheet : kSheets) {
        const std::string selectors = selectorsOf(readBytes(kData / sheet));
        for (const std::string& name : classes) EXPECT_TRUE(hasRuleFor(selectors, '.', name)) << sheet << " ." << name;
        for (const std::string& name : ids) EXPECT_TRUE(hasRuleFor(selectors, '#', name)) << sheet << " #" << name;
    }
}

// Documents may be written in Shift_JIS and the sheet is read in the
// document's encoding unless it declares its own, so the sheets stay ASCII
// and declare it first; and they match the parts they are made from.
TEST(StyleSheets, AreAsciiWithCharsetFirstAndUpToDate) {
    for (const char* sheet : kSheets) {
        const std::string css = readBytes(kData / sheet);
        EXPECT_EQ(css.rfind("@charset \"utf-8\";", 0), 0u) << sheet;
        for (unsigned char c : css) {
            if (c >= 0x80) {
                ADD_FAILURE() << sheet << " holds a non-ASCII byte";
                break;
            }
        }
    }
    const std::string command = "python3 '" + (fs::path(QM_SOURCE_DIR) / "tools/gen_style_sheets.py").string() + "' --check";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(DesktopEntry, StartsTheProgramWithItsIcon) {
    const std::string entry = readBytes(kData / "quillmark-desktop.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u);
    for (const char* line : {"\nType=Application\n", "\nName=Quillmark\n", "\nExec=quillmark-desktop %F\n", "\nMimeType=text/plain;\n",
                             "\nIcon=quillmark\n", "\nTerminal=false\n"})
        EXPECT_NE(entry.find(line), std::string::npos) << line;
}

} // namespace
