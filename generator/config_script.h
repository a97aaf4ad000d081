#pragma once

// The configuration script: one call per item declaring its 40 positions,
// the global configuration array, and the call to the runtime's builder.

#include <string>
#include <string_view>

#include "document/applet_agent.h"
#include "generator/page_style.h"

namespace velmora {

// Sets the three menu-wide names from the base name and returns the script.
// Refuses (ValueError) a bare position that is neither empty nor a decimal
// integer, naming the item and the field. The HTML5 page's script makes the
// same builder call without eval and without string timers, and holds only
// what the page's list cannot: the distinct records of the items' other
// positions and each item's record number (left out when all are the
// first), its lines ended by LF.
std::string ConfigScriptText(TvornAppletAgent& doc, const std::string& menuBaseName,
                             PageStyle style = PageStyle::Classic);

// A value as the contents of a single-quoted script string: any text yields
// a string that parses and holds the text exactly. The result is ASCII:
// characters above ASCII are written as \uXXXX escapes of the characters
// the bytes stand for in `encoding`.
std::string EscapeScriptString(std::string_view text, TextEncoding encoding = TextEncoding::Windows1252);
// The same, appended to `out`.
void AppendEscapedScriptString(std::string& out, std::string_view text,
                               TextEncoding encoding = TextEncoding::Windows1252);

// The base name becomes part of script identifiers and element ids.
bool IsMenuBaseName(std::string_view name);

// Empty or a plain decimal integer (no sign but "-", no leading zeros).
bool IsBareNumber(std::string_view text);

}  // namespace velmora
