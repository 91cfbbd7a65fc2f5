// A page or drawing read back by libxml2 with no recovery, as the strictest reader would take it.
#pragma once

#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <string>
#include <vector>

namespace zephyrion::testing_support {

// A document read by libxml2 with no recovery: any error, even a warning, is kept and fails.
class StrictXml {
 public:
  explicit StrictXml(const std::string& text) {
    xmlSetStructuredErrorFunc(&errors_, [](void* errors, xmlErrorPtr error) {
      *static_cast<std::string*>(errors) += error->message ? error->message : "error\n";
    });
    document_ = xmlReadMemory(text.data(), static_cast<int>(text.size()), "report.xml", "UTF-8",
                              XML_PARSE_NONET | XML_PARSE_PEDANTIC);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
  }
  ~StrictXml() { xmlFreeDoc(document_); }
  StrictXml(const StrictXml&) = delete;
  StrictXml& operator=(const StrictXml&) = delete;

  bool wellFormed() const { return document_ && errors_.empty(); }
  const std::string& errors() const { return errors_; }

  // The text of each node the XPath finds; "s:" names SVG elements and "h:" XHTML ones.
  std::vector<std::string> texts(const std::string& path) const {
    std::vector<std::string> found;
    xmlXPathContextPtr context = xmlXPathNewContext(document_);
    xmlXPathRegisterNs(context, BAD_CAST "s", BAD_CAST "http://www.w3.org/2000/svg");
    xmlXPathRegisterNs(context, BAD_CAST "h", BAD_CAST "http://www.w3.org/1999/xhtml");
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST path.c_str(), context);
    for (int i = 0; result && result->nodesetval && i < result->nodesetval->nodeNr; ++i) {
      xmlChar* text = xmlNodeGetContent(result->nodesetval->nodeTab[i]);
      found.emplace_back(reinterpret_cast<const char*>(text));
      xmlFree(text);
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    return found;
  }

 private:
  xmlDocPtr document_ = nullptr;
  std::string errors_;
};

}  // namespace zephyrion::testing_support
