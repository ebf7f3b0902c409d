// The attributes of a tag, read as browsers read them.
#pragma once

#include <string>
#include <string_view>

namespace zorvitan {

// The value of attribute `name` (lower case) in the text of a tag's
// attributes (what stands between its name and its ">"), as a browser takes
// it: names in any letter case, the first of a name counts, the value in
// either quote or none; "&amp;" read as "&". False when the tag has none.
bool AttributeValue(std::string_view attributes, std::string_view name, std::string* value);

}  // namespace zorvitan
