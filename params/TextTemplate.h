#pragma once

#include <string>
#include <vector>

// A text of the program's resources with places for values, as Windows' own message
// texts have them: "%1" to "%9" stand for the values in order ("" for a missing one), "%%"
// for one percent sign; any other percent sign stays as it is. The values go in as they
// are: a "%1" inside a value is not replaced again.
std::string FillTemplate(const std::string& text, const std::vector<std::string>& values);
