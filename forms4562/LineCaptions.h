#pragma once
// What each value of the form is, in words, for the data sheets the template generator builds.

#include <string>
#include <string_view>

namespace tally::forms {

// "Line 26.2 (d) Cost or other basis"; the heading's names as the form titles them.
std::string lineCaption(std::string_view id);

enum class AnswerKind { Text, CheckBox, YesNo };
// Line 18 is a check box; lines 24a, 24b and 34 to 41 are yes/no answers; everything else is text.
AnswerKind answerKind(std::string_view id);

}  // namespace tally::forms
