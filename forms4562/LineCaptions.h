#pragma once
// What each value of the form is, in words, for the data sheets the template generator builds.

#include <string>
#include <string_view>

namespace tally::forms {

// A value's caption on the data sheet of a tax year: the line as that year's form numbers it and the words of what
// the line holds ("Line 26.2 (d) cost", "Line 17 MACRS, assets of prior years"); the heading's names as the form
// titles them. The value ids are those of the form up to 2017; from 2018 the form's line 20 has a 30-year row 20c,
// so the ADS 40-year values (id 20c) are captioned 20d. A form that numbers a line otherwise still has its words.
std::string lineCaption(std::string_view id, int taxYear);

enum class AnswerKind { Text, CheckBox, YesNo };
// Line 18 is a check box; lines 24a, 24b and 34 to 41 are yes/no answers; everything else is text.
AnswerKind answerKind(std::string_view id);

}  // namespace tally::forms
