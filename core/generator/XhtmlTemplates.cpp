#include "XhtmlTemplates.h"

namespace Orvane {

// The two skeletons differ only in the document type, the html element and
// the media type of the meta element.
#define QM_XHTML_NAMESPACE "http://www.w3.org/1999/xhtml"
#define QM_XML_DECLARATION "<?xml version=\"1.0\" encoding=\"@@ENCODING@@\"?>\n"
#define QM_META(mediaType) \
    "<head>\n<meta http-equiv=\"Content-Type\" content=\"" mediaType "; charset=@@ENCODING@@\" />\n"
#define QM_REST "@@CSS@@<title>@@TITLE@@</title> \n</head> \n<body>\n@@BODY@@\n</body>\n</html>\n"

const char* const XhtmlTemplates::kXhtml10Transitional =
    QM_XML_DECLARATION
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
    "<html xmlns=\"" QM_XHTML_NAMESPACE "\" lang=\"ja\" xml:lang=\"ja\">\n"
    QM_META("text/html")
    QM_REST;

const char* const XhtmlTemplates::kXhtml11 =
    QM_XML_DECLARATION
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" \"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\n"
    "<html xmlns=\"" QM_XHTML_NAMESPACE "\" xml:lang=\"ja\">\n"
    QM_META("application/xhtml+xml")
    QM_REST;

std::string XhtmlTemplates::html5(const std::string& language, bool viewport) {
    std::string text = QM_XML_DECLARATION "<!DOCTYPE html>\n<html xmlns=\"" QM_XHTML_NAMESPACE
                       "\" xmlns:epub=\"http://www.idpf.org/2007/ops\" lang=\"";
    text += language + "\" xml:lang=\"" + language + "\">\n<head>\n<meta charset=\"@@ENCODING@@\" />\n";
    if (viewport) text += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n";
    text += "@@CSS@@<title>@@TITLE@@</title>\n</head>\n<body>\n@@BODY@@\n</body>\n</html>\n";
    return text;
}

#undef QM_REST
#undef QM_META
#undef QM_XML_DECLARATION
#undef QM_XHTML_NAMESPACE

} // namespace Orvane
