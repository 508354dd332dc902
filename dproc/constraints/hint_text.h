// Building the texts of hints, stop-icon tooltips and constraint messages.
#pragma once

#include <cstddef>

// Appends a line to a text of `capacity` units: a carriage return and a line
// feed before it unless the text is empty.  The unit at capacity - 1 is
// forced to NUL first, and nothing is written beyond it.
void AppendHintLine(char16_t* text, size_t capacity, const char16_t* line);

// Turns every backslash-"n" pair of the texts of the description file into
// a blank and a line feed, in place.
void ExpandNewlineEscapes(char16_t* text);
