#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace brv3 {

// Comma lists as the chart and CSV files write them: a field ends at a comma or at any unquoted
// space or control character; a field starting with '"' runs to the closing quote ("" inside is
// one quote); a comma at the very end adds an empty field.
std::vector<std::string> SplitCommaText(std::string_view text);
// The same split without building the list: calls `onField` for each field in order.
void ForEachCommaField(std::string_view text, const std::function<void(std::string_view)>& onField);

// Joins fields with ","; a field is quoted only when it holds a space, comma or double quote.
std::string JoinCommaText(const std::vector<std::string>& fields);

}  // namespace brv3
