#pragma once

#include <string>

namespace brv3::robot {

// How deep elements nest, counted without parsing (comments, CDATA, declarations and quoted
// attribute values are skipped), so that a document nesting without end is refused before a
// parser that recurses per level sees it. Stops counting past `limit`; returns the line there,
// or 0 when the document stays within it.
int LineBeyondNesting(const std::string& text, int limit);

}  // namespace brv3::robot
