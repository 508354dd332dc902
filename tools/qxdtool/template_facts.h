// The facts the procedure library's control table takes from the dialog
// templates: for every control of every template in a compiled resource
// file (.res, as the resource compiler writes it), its kind from its class
// and style and the stop icon the template places beside it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TemplateFactRow {
  uint32_t pageId, controlId, kind, stopIconId;
};

// The rows of every dialog template with a numeric id, by template id and
// then in template order; only controls with a kind or a stop icon.  False
// with `error` when the file is not a resource file or a template cannot
// be read.
bool ReadTemplateFacts(const std::vector<uint8_t>& res, std::vector<TemplateFactRow>* rows, std::string* error);
// The C++ source of the table (kControlTemplateFacts and its count).
std::string FormatTemplateFacts(const std::vector<TemplateFactRow>& rows);
